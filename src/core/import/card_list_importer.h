// The card list import: turns every line of cards.txt into one 116-byte card
// record and one stretch of card text. The list is read one byte at a time
// and the meaning of a field is its place in the line; each field with an
// inner format (costs, keywords, resource production) has its own reader.
//
// The importer builds each line's record in the working card it is given,
// writes it to the record sink as soon as the line is complete and streams
// the text bytes to the text sink, so it holds nothing but the current line
// and a few bounded field buffers, whatever the size of the list.
//
// End of the list: every byte belongs to the field or text it falls in, and
// the byte at which a reader stops (its TAB, "/", "-", blank or LF) is never
// part of what it read. Reading past the end delivers ByteReader::kEnd,
// which matches no separator and ends every loop.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/card_data/byte_source.h"
#include "core/card_data/card_record.h"
#include "core/import/card_data_update.h"

namespace quillet {

class CardListImporter {
 public:
  // `cardText` is null when the texts are not written; their positions are
  // counted all the same.
  CardListImporter(ByteSource& cardsFile, TCardRecord& card, ByteSink& cardStat, ByteSink* cardText,
                   const UpdateOptions& options);

  // Reads every line to the end of the list. Throws IoError from the source
  // or the sinks.
  void ImportCardList();

  // Lines read (and records written) so far.
  std::int64_t LineCount() const { return lineCount_; }

  // Card text characters of all lines read so far; a record's text positions
  // follow on from it.
  std::int32_t TextCharCount = 0;

 private:
  struct SlashTriple {
    std::string P1, P2, P3;
  };

  void ReadLine();
  std::string_view ReadField();
  SlashTriple ReadSlashTriple();
  void ReadKeywordField();
  void ReadResourceField();
  void ReadProduction(char& amount, std::string& turns);
  void ReadCardText();

  void Next() { byte_ = reader_.Get(); }
  void CountTextChar();
  void FlushText();

  ByteReader reader_;
  TCardRecord& card_;
  ByteSink& cardStat_;
  ByteSink* cardText_;
  const UpdateOptions options_;
  int byte_ = ByteReader::kEnd;  // the current byte
  std::int64_t lineCount_ = 0;

  // Reused for every field, so a line costs no allocation.
  std::string field_;
  std::string word_;
  std::array<std::uint8_t, 4096> textChunk_{};
  std::size_t textFill_ = 0;
};

}  // namespace quillet
