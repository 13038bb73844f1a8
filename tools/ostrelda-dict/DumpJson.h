// Writes every user table of a database as the dump's JSON:
//   {"tables": [{"name": ..., "columns": [{"name": ..., "type": ...}], "rows": [[...], ...]}]}
// Values: null; text and memo as strings; byte, integer, long as integers;
// float and double as numbers; currency and numeric as decimal strings;
// boolean true/false; datetime "YYYY-MM-DDTHH:MM:SS.mmmZ"; binary, ole as
// lower-case hex; repid as a GUID string. The JSON is written in chunks as
// rows are read: a damaged table found half-way throws jet::Error with the
// output cut short there.
#pragma once

#include "jet/Database.h"

#include <ostream>

namespace tool {

void WriteDumpJson(const jet::Database& database, std::ostream& out);

}  // namespace tool
