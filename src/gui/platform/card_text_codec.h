// Card data is Windows-1252 bytes; the windows show and take Unicode. These
// two conversions are the only places where the two meet.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quillet {

QString FromCardBytes(std::string_view bytes);
// Characters without a Windows-1252 byte become '?', which no card name holds.
std::string ToCardBytes(const QString& text);

}  // namespace quillet
