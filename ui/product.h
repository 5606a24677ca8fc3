// The product's own names, credit line and web address, shown by the window and its reports.
#pragma once

#include <QString>

namespace acv::product {

inline const QString kName = QStringLiteral("Adult Corvantis");
inline const QString kAboutVersion = QStringLiteral("Adult Corvantis Version 4.0");
inline const QString kCreditLine =
    QStringLiteral("Adult Corvantis 4.0 is designed, written and published by VELT.");
inline const QString kWebAddress = QStringLiteral("https://www.example.com/acv/");
// The settings store: organisation and application.
inline const QString kOrganisation = QStringLiteral("VELT");
inline const QString kApplication = QStringLiteral("ACV");

}  // namespace acv::product
