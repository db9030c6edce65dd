// Builds card list lines for the import tests: every field has a plausible
// default, a test sets the ones it is about, and Str() joins them with TABs
// and ends the line with CR LF as the listing tool does.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/card_data/byte_source.h"
#include "core/card_data/card_record.h"
#include "core/import/card_data_update.h"
#include "core/import/card_list_importer.h"

namespace quillet::test {

struct CardListLine {
  std::string name = "Sample Trooper";
  std::string edition = "Limited";
  std::string rarity = "Common";
  std::string type = "Asset";
  std::string hp = "3";
  std::string firepower = "2";
  std::string armor = "1";
  std::string stealth = "0";
  std::string perception = "2";
  std::string cyberAffinity = "1";
  std::string deployOrResources = "1/0/0";
  std::string attack = "1/0/0";
  std::string move = "0/0/0";
  std::string search = "0/1/0";
  std::string keywords = "UN-Pilot";
  std::string unused = "x";
  std::string text = "Sample text.";
  std::string end = "\r\n";

  std::string Str() const {
    std::string out;
    for (const std::string* field :
         {&name, &edition, &rarity, &type, &hp, &firepower, &armor, &stealth, &perception,
          &cyberAffinity, &deployOrResources, &attack, &move, &search, &keywords, &unused}) {
      out += *field;
      out += '\t';
    }
    return out + text + end;
  }
};

inline CardListLine BaseLine(std::string name, std::string resources) {
  CardListLine line;
  line.name = std::move(name);
  line.type = "Base";
  line.deployOrResources = std::move(resources);
  return line;
}

struct ImportResult {
  std::vector<TCardRecord> records;
  std::string recordBytes;
  std::string text;
  std::int32_t textCharCount = 0;
};

// Imports `list` from memory into memory, the working card starting as
// `card`.
inline ImportResult ImportList(std::string_view list, const UpdateOptions& options = {},
                               std::int32_t textCharCount = 0, TCardRecord card = {}) {
  MemorySource source(list);
  MemorySink records;
  MemorySink text;
  CardListImporter importer(source, card, records, options.CardTextCheck ? &text : nullptr,
                            options);
  importer.TextCharCount = textCharCount;
  importer.ImportCardList();
  ImportResult result;
  for (std::size_t at = 0; at + kRecordSize <= records.data.size(); at += kRecordSize) {
    result.records.push_back(
        DecodeRecord(reinterpret_cast<const std::uint8_t*>(records.data.data() + at)));
  }
  result.recordBytes = std::move(records.data);
  result.text = std::move(text.data);
  result.textCharCount = importer.TextCharCount;
  return result;
}

inline TCardRecord ImportOne(const CardListLine& line, const UpdateOptions& options = {}) {
  const ImportResult result = ImportList(line.Str(), options);
  return result.records.at(0);
}

}  // namespace quillet::test
