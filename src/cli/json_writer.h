// A minimal JSON writer for the CLI's --json output. Strings passed in are
// UTF-8 already (card bytes go through Cp1252ToUtf8 first); the writer only
// escapes them. Objects and arrays are written in the order of the calls.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace quillet::cli {

class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}

  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }
  void Key(std::string_view key) {
    Separate();
    WriteString(key);
    out_ << ": ";
    afterKey_ = true;
  }
  void String(std::string_view utf8) {
    Separate();
    WriteString(utf8);
  }
  void Int(std::int64_t v) {
    Separate();
    out_ << v;
  }
  void Bool(bool v) {
    Separate();
    out_ << (v ? "true" : "false");
  }

 private:
  void Open(char c) {
    Separate();
    out_ << c;
    first_.push_back(true);
  }
  void Close(char c) {
    const bool empty = first_.back();
    first_.pop_back();
    if (!empty) Newline();
    out_ << c;
    if (first_.empty()) out_ << '\n';
  }
  void Separate() {
    if (afterKey_) {
      afterKey_ = false;
      return;
    }
    if (first_.empty()) return;
    if (!first_.back()) out_ << ',';
    first_.back() = false;
    Newline();
  }
  void Newline() { out_ << '\n' << std::string(2 * first_.size(), ' '); }
  void WriteString(std::string_view s) {
    out_ << '"';
    for (char ch : s) {
      const auto c = static_cast<unsigned char>(ch);
      switch (c) {
        case '"':
          out_ << "\\\"";
          break;
        case '\\':
          out_ << "\\\\";
          break;
        case '\n':
          out_ << "\\n";
          break;
        case '\r':
          out_ << "\\r";
          break;
        case '\t':
          out_ << "\\t";
          break;
        default:
          if (c < 0x20) {
            static const char* hex = "0123456789abcdef";
            out_ << "\\u00" << hex[c >> 4] << hex[c & 15];
          } else {
            out_ << ch;
          }
      }
    }
    out_ << '"';
  }

  std::ostream& out_;
  std::vector<bool> first_;
  bool afterKey_ = false;
};

}  // namespace quillet::cli
