// Reading back the records of a Bundle that acv fhir wrote: one record per
// QuestionnaireResponse, its person's details from the Patient (and an observer's from the
// RelatedPerson) it refers to, inside the Bundle or contained in the response. The derived
// resources (Observations, the report) are passed over: they are computed again from the
// records.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/response_record.h"

namespace acv::fhir {

// Fills `records` and returns the empty text, or returns what cannot be stored and where: the
// line and column of a text that is not JSON, or the field ("entry 3
// (QuestionnaireResponse) item[12]: ...") of a value no record can hold. Nothing is filled
// then.
std::string ReadBundleRecords(std::string_view text, std::vector<ResponseRecord>* records);

}  // namespace acv::fhir
