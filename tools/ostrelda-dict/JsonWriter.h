// A small JSON text builder for the dump: appends to one string that the
// caller flushes now and then, so a large table costs no allocation per value.
#pragma once

#include "jet/Value.h"

#include <string>
#include <string_view>

namespace tool {

void AppendJsonString(std::string& out, std::string_view utf8);
// One field value as the dump shows it (see DumpCommand.cpp).
void AppendJsonValue(std::string& out, const jet::Value& value);

}  // namespace tool
