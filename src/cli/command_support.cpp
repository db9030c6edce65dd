#include "cli/command_support.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <optional>
#include <ostream>
#include <utility>

#include "core/card_data/text_util.h"

namespace quillet::cli {
namespace {

struct Decimal {
  bool negative = false;
  bool tooLarge = false;  // beyond 64 bits; `magnitude` is then meaningless
  std::uint64_t magnitude = 0;
};

// `text` as a number written the way people write them: decimal digits with
// an optional leading '-', leading zeros ignored ("010" is ten). Anything
// else, "0x10", "+1" or " 1", is no number.
std::optional<Decimal> ReadDecimal(std::string_view text) {
  Decimal number;
  if (!text.empty() && text.front() == '-') {
    number.negative = true;
    text.remove_prefix(1);
  }
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  number.tooLarge =
      std::from_chars(text.data(), text.data() + text.size(), number.magnitude, 10).ec ==
      std::errc::result_out_of_range;
  if (number.magnitude == 0 && !number.tooLarge) number.negative = false;  // "-0" is 0
  return number;
}

}  // namespace

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
    const auto number = ReadDecimal(value);
    if (!number) return std::string(range);
    if (number->negative) {
      // Below zero only for an option that takes such numbers; the least
      // one's magnitude is -(least + 1) + 1, which does not overflow.
      const std::uint64_t farthest = least < 0 ? static_cast<std::uint64_t>(-(least + 1)) + 1 : 0;
      if (number->tooLarge || number->magnitude > farthest) return std::string(range);
      value = "-" + std::to_string(number->magnitude);
      return {};
    }
    if (number->tooLarge || number->magnitude > most) {
      if (!orMore) return std::string(range);
      value = std::to_string(most);
      return {};
    }
    if (least > 0 && number->magnitude < static_cast<std::uint64_t>(least))
      return std::string(range);
    // The library reads "010" as octal and "0x10" as hex; handed the plain
    // decimal form, it converts the number the user meant.
    value = std::to_string(number->magnitude);
    return {};
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
