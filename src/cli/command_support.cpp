#include "cli/command_support.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdlib>
#include <ostream>
#include <utility>

#include "core/card_data/text_util.h"

namespace quillet::cli {

void AddDataOption(CLI::App& command, std::string& dir) {
  command.add_option("--data", dir, "The data folder (default: the data folder rule)")
      ->type_name("DIR")
      ->check([](const std::string& value) {
        return value.empty() ? std::string("the data folder may not be empty") : std::string();
      });
}

void WholeNumberOption(CLI::Option& option, std::int64_t least, std::uint64_t most, bool orMore) {
  const std::string range =
      "must be " + std::to_string(least) + (orMore ? " or more" : " to " + std::to_string(most));
  const auto check = [least, most, orMore, range](std::string& value) -> std::string {
    // Read as the library will convert it, so what passes here is what the
    // option gets; strtoull would wrap a negative number, so those go to
    // strtoll.
    const char* text = value.c_str();
    char* end = nullptr;
    errno = 0;
    if (value.find('-') != std::string::npos) {
      const long long n = std::strtoll(text, &end, 0);
      const bool fits = n < 0 || static_cast<unsigned long long>(n) <= most;
      return end == text + value.size() && !value.empty() && errno == 0 && n >= least && fits
                 ? std::string()
                 : range;
    }
    const unsigned long long n = std::strtoull(text, &end, 0);
    if (value.empty() || end != text + value.size()) return std::string(range);
    if (errno == ERANGE || n > most) {
      if (!orMore) return std::string(range);
      value = std::to_string(most);
      return {};
    }
    return least > 0 && n < static_cast<unsigned long long>(least) ? range : std::string();
  };
  option.transform(CLI::Validator(check, "", "WholeNumber"));
}

std::string DataFolder(const CommandContext& context, const std::string& dir) {
  return ChooseDataFolder(dir.empty() ? context.globalData : dir, context.env);
}

void NameChosenDataFolder(const CommandContext& context, const std::string& dir) {
  const bool chosen = !dir.empty() || !context.globalData.empty() ||
                      (context.env.dataDirVar && !context.env.dataDirVar->empty());
  if (chosen) context.err << "Data folder: " << DataFolder(context, dir) << '\n';
}

int FailNoDataFile(const CommandContext& context, const std::string& dir) {
  context.err << kNoDataFile << '\n';
  NameChosenDataFolder(context, dir);
  return 1;
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
