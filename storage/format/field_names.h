// The names of a record's text fields where the program shows them outside the record: acv show's
// JSON keys and the fields a history entry says changed.
#pragma once

#include <array>
#include <utility>

#include "engine/response_record.h"

namespace acv {

inline constexpr std::array<std::pair<TextField, const char*>, kTextFieldCount> kTextFieldNames = {{
    {TextField::kFirstName, "firstName"},
    {TextField::kLastName, "lastName"},
    {TextField::kStreetAddress, "streetAddress"},
    {TextField::kTown, "town"},
    {TextField::kState, "state"},
    {TextField::kPostcode, "postcode"},
    {TextField::kPhone, "phone"},
    {TextField::kPhone2, "phone2"},
    {TextField::kCountry, "country"},
    {TextField::kEmail, "email"},
    {TextField::kBirthDate, "birthDate"},
    {TextField::kSavedStamp, "savedStamp"},
    {TextField::kCompletionDate, "completionDate"},
    {TextField::kObserverName, "observerName"},
    {TextField::kObserverRelationship, "observerRelationship"},
    {TextField::kObserverContact, "observerContact"},
    {TextField::kComments, "comments"},
}};

}  // namespace acv
