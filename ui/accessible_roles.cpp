#include "ui/accessible_roles.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QWizardPage>

namespace acv {
namespace {

// Qt names a choice box by the value chosen alone; this one keeps its own name before it.
class NamedChoiceBox : public QAccessibleWidget {
 public:
  explicit NamedChoiceBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

  QString text(QAccessible::Text which) const override {
    const auto* box = static_cast<const QComboBox*>(widget());
    const QString value = box->currentText();
    if (which == QAccessible::Value) {
      return value;
    }
    if (which != QAccessible::Name) {
      return QAccessibleWidget::text(which);
    }
    const QString name = box->accessibleName();
    return name.isEmpty()    ? value
           : value.isEmpty() ? name
                             : QStringLiteral("%1, %2").arg(name, value);
  }
};

QAccessibleInterface* RoleFor(const QString&, QObject* object) {
  if (auto* box = qobject_cast<QComboBox*>(object)) {
    return new NamedChoiceBox(box);
  }
  if (auto* announcement = qobject_cast<Announcement*>(object)) {
    return new QAccessibleWidget(announcement, QAccessible::Notification);
  }
  if (qobject_cast<QWizardPage*>(object) != nullptr ||
      qobject_cast<ChoiceGroup*>(object) != nullptr) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
  }
  return nullptr;
}

}  // namespace

ChoiceGroup::ChoiceGroup(const QString& name, QWidget* parent) : QWidget(parent) {
  InstallAccessibleRoles();
  setAccessibleName(name);
}

void Announce(QWidget* widget, const QString& text) {
  InstallAccessibleRoles();
  QWidget* window = widget->window();
  auto* shown = window->findChild<Announcement*>(QString(), Qt::FindDirectChildrenOnly);
  if (shown == nullptr) {
    shown = new Announcement(window);
    shown->setObjectName(QStringLiteral("announcement"));
    shown->setFocusPolicy(Qt::NoFocus);
    shown->setAttribute(Qt::WA_TransparentForMouseEvents);
    shown->resize(0, 0);
  }
  shown->hide();
  shown->setAccessibleName(text);
  shown->show();
}

void InstallAccessibleRoles() {
  static const bool installed = [] {
    QAccessible::installFactory(&RoleFor);
    return true;
  }();
  (void)installed;
}

}  // namespace acv
