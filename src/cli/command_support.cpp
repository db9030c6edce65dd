#include "cli/command_support.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdlib>
#include <ostream>
#include <utility>

#include "card_data/text_util.h"

namespace quillet::cli {

void AddDataOption(CLI::App& command, std::string& dir) {
  command.add_option("--data", dir, "The data folder (default: the data folder rule)")
      ->type_name("DIR")
      ->check([](const std::string& value) {
        return value.empty() ? std::string("the data folder may not be empty") : std::string();
      });
}

std::function<std::string(const std::string&)> Within64Bits(bool isSigned) {
  return [isSigned](const std::string& value) {
    // Base 0, as the library converts: "0x10" is 16 there and here.
    errno = 0;
    if (isSigned) {
      (void)std::strtoll(value.c_str(), nullptr, 0);
    } else {
      (void)std::strtoull(value.c_str(), nullptr, 0);
    }
    return errno == ERANGE ? "'" + value + "' is out of range" : std::string();
  };
}

std::string DataFolder(const CommandContext& context, const std::string& dir) {
  return ChooseDataFolder(dir.empty() ? context.globalData : dir, context.env);
}

std::string CardBytes(std::string typed) {
  if (auto bytes = Utf8ToCp1252(typed)) return std::move(*bytes);
  return typed;
}

int FailWithFile(const CommandContext& context, const std::string& path, std::string_view message) {
  context.err << path << ": " << message << '\n';
  return 1;
}

Json JsonText(std::string_view cp1252) {
  return Cp1252ToUtf8(cp1252);
}

Json JsonTexts(const std::vector<std::string>& cp1252) {
  Json list = Json::array();
  for (const auto& item : cp1252) list.push_back(JsonText(item));
  return list;
}

void WriteJson(std::ostream& out, const Json& value) {
  // The library writes \b and \f by their short names; the commands have
  // always written every control character as \u00XX, and scripts compare.
  // Outside strings there are no backslashes, and inside one a backslash
  // always starts an escape, so each escape is seen whole here.
  const std::string text = value.dump(2, ' ', false, Json::error_handler_t::replace);
  std::string fixed;
  fixed.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      fixed += text[i];
      continue;
    }
    const char escaped = text[++i];
    if (escaped == 'b') {
      fixed += "\\u0008";
    } else if (escaped == 'f') {
      fixed += "\\u000c";
    } else {
      fixed += '\\';
      fixed += escaped;
    }
  }
  out << fixed << '\n';
}

}  // namespace quillet::cli
