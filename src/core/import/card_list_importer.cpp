#include "core/import/card_list_importer.h"

#include <cstdint>
#include <limits>
#include <optional>

#include "core/card_data/card_words.h"
#include "core/card_data/io_error.h"
#include "core/import/card_corrections.h"

namespace quillet {
namespace {

constexpr int kTab = '\t';
constexpr int kLf = '\n';
constexpr int kCr = '\r';

// A field is used for at most its first kNameWidth bytes (the name, the
// widest text of the record), so the rest of an overlong field is read and
// dropped instead of held in memory.
// Longer than every word the keyword and resource fields know, so a word cut
// to this length never matches one.
constexpr std::size_t kWordKeep = 32;
// Turns are stored cut to 2; the third byte tells "-1" from "-1" followed by
// more.
constexpr std::size_t kTurnsKeep = 3;

void AppendBounded(std::string& text, int byte, std::size_t keep) {
  if (text.size() < keep) text.push_back(static_cast<char>(byte));
}

bool IsBlankByte(int byte) {
  return byte <= 32;  // what Trim removes
}

// One part of a cost field: the part so far is trimmed before every byte is
// appended. Trimming a text whose only blank byte can be its last one just
// drops that byte, so the part is its non-blank bytes in order plus, when the
// last byte read was blank, that byte. Only the first two bytes of a part
// are ever used, so at most two non-blank bytes are kept.
void AppendToCostPart(std::string& part, int byte) {
  while (!part.empty() && IsBlankByte(static_cast<unsigned char>(part.back()))) part.pop_back();
  if (IsBlankByte(byte) || part.size() < 2) part.push_back(static_cast<char>(byte));
}

}  // namespace

CardListImporter::CardListImporter(ByteSource& cardsFile, TCardRecord& card, ByteSink& cardStat,
                                   ByteSink* cardText, const UpdateOptions& options)
    : reader_(cardsFile), card_(card), cardStat_(cardStat), cardText_(cardText), options_(options) {
  field_.reserve(kNameWidth);
  word_.reserve(kWordKeep);
}

void CardListImporter::ImportCardList() {
  while (!reader_.AtEnd()) ReadLine();
  FlushText();
}

void CardListImporter::ReadLine() {
  card_.Name.Assign(ReadField());
  card_.Edition.Assign(ReadField());
  if (const auto rarity = ReadField(); !rarity.empty()) card_.Rarity = rarity[0];
  if (const auto type = ReadField(); !type.empty()) card_.CardType = type[0];
  if (card_.Name.View().find("HQ") != std::string_view::npos) card_.CardType = 'H';
  card_.HP.Assign(ReadField());

  const std::string_view name = card_.Name.View();
  auto statOrCorrection = [&](std::optional<std::string_view> correction, std::string_view field) {
    return correction ? *correction : field;
  };
  auto firstOrBlank = [](std::string_view field) {
    return field.empty() ? std::string_view(" ") : field.substr(0, 1);
  };
  card_.Firepower.Assign(statOrCorrection(FirepowerCorrection(name, options_), ReadField()));
  card_.Armor.Assign(statOrCorrection(ArmorCorrection(name, options_), ReadField()));
  card_.Stealth.Assign(firstOrBlank(ReadField()));
  {
    const std::string_view perception = firstOrBlank(ReadField());
    card_.Perception.Assign(statOrCorrection(PerceptionCorrection(name, options_), perception));
  }
  card_.CyberAffinity.Assign(ReadField());

  if (card_.CardType == 'B' || card_.CardType == 'H') {
    card_.DeployMil.Assign(" ");
    card_.DeployCov.Assign(" ");
    card_.DeployCyb.Assign(" ");
    ReadResourceField();
  } else {
    card_.ProdMil = card_.ProdCov = card_.ProdCyb = ' ';
    card_.TurnsMil.Assign("");
    card_.TurnsCov.Assign("");
    card_.TurnsCyb.Assign("");
    const SlashTriple deploy = ReadSlashTriple();
    card_.DeployMil.Assign(deploy.P1);
    card_.DeployCov.Assign(deploy.P2);
    card_.DeployCyb.Assign(deploy.P3);
  }
  auto readCosts = [this](char& mil, char& cov, char& cyb) {
    const SlashTriple cost = ReadSlashTriple();
    mil = cost.P1[0];
    cov = cost.P2[0];
    cyb = cost.P3[0];
  };
  readCosts(card_.AttackMil, card_.AttackCov, card_.AttackCyb);
  readCosts(card_.MoveMil, card_.MoveCov, card_.MoveCyb);
  readCosts(card_.SearchMil, card_.SearchCov, card_.SearchCyb);
  ReadKeywordField();
  ReadField();  // written by the listing tool, not used here
  ReadCardText();

  const RecordBytes record = EncodeRecord(card_);
  cardStat_.Write(record.data(), record.size());
  ++lineCount_;
}

// The bytes up to the TAB, which is consumed and not stored.
std::string_view CardListImporter::ReadField() {
  field_.clear();
  Next();
  while (byte_ != ByteReader::kEnd && byte_ != kTab) {
    AppendBounded(field_, byte_, kNameWidth);
    Next();
  }
  return field_;
}

// Three cost parts, Military/Covert/CyberOps. Only the third ends at the TAB:
// a TAB inside the first two is part of them, and a field without a "/"
// reads on into the next field.
CardListImporter::SlashTriple CardListImporter::ReadSlashTriple() {
  SlashTriple parts{" ", " ", " "};
  Next();
  if (byte_ == ByteReader::kEnd || byte_ == kTab) return parts;
  auto readPart = [this](std::string& part, int end) {
    while (byte_ != ByteReader::kEnd && byte_ != end) {
      AppendToCostPart(part, byte_);
      Next();
    }
  };
  readPart(parts.P1, '/');
  Next();
  readPart(parts.P2, '/');
  Next();
  readPart(parts.P3, kTab);
  return parts;
}

// Words separated by one or two dashes: domain words, keywords and "$"
// flags; any other word is ignored. The last domain word wins.
void CardListImporter::ReadKeywordField() {
  card_.Domain = ' ';
  card_.Keywords = 0;
  card_.Specials = 0;
  Next();
  while (byte_ != ByteReader::kEnd && byte_ != kTab) {
    word_.assign(1, static_cast<char>(byte_));
    Next();
    while (byte_ != '-' && byte_ != kTab && byte_ != ByteReader::kEnd) {
      AppendBounded(word_, byte_, kWordKeep);
      Next();
    }
    if (byte_ == '-') {
      Next();
      if (byte_ == '-') Next();
    }
    if (IsDomainWord(word_)) {
      card_.Domain = word_[0];
    } else if (const auto keyword = FindKeyword(word_)) {
      card_.Keywords |= std::uint32_t{1} << *keyword;
    } else if (const auto special = FindSpecial(word_)) {
      card_.Specials |= std::uint32_t{1} << *special;
    }
  }
}

// Entries "Word amount/turns" of a base or HQ, each followed by a blank. The
// TAB is looked for only where a new entry would begin: one met inside an
// entry is consumed there, and the field then reads on into the next one.
void CardListImporter::ReadResourceField() {
  card_.ProdMil = card_.ProdCov = card_.ProdCyb = ' ';
  card_.TurnsMil.Assign(" ");
  card_.TurnsCov.Assign(" ");
  card_.TurnsCyb.Assign(" ");
  Next();
  std::string turns;
  while (byte_ != ByteReader::kEnd && byte_ != kTab) {
    word_.assign(1, static_cast<char>(byte_));
    Next();
    while (byte_ != ' ' && byte_ != kTab && byte_ != ByteReader::kEnd) {
      AppendBounded(word_, byte_, kWordKeep);
      Next();
    }
    char amount = ' ';
    if (word_ == "Military") {
      ReadProduction(amount, turns);
      card_.ProdMil = amount;
      card_.TurnsMil.Assign(turns);
    } else if (word_ == "Covert") {
      ReadProduction(amount, turns);
      card_.ProdCov = amount;
      card_.TurnsCov.Assign(turns);
    } else if (word_ == "CyberOps") {
      ReadProduction(amount, turns);
      card_.ProdCyb = amount;
      card_.TurnsCyb.Assign(turns);
    }
    ApplyProductionCorrection(card_, options_);
    Next();
  }
}

// "amount/turns": of several bytes before the "/" the last one counts; turns
// "-1" means the production never runs out.
void CardListImporter::ReadProduction(char& amount, std::string& turns) {
  amount = ' ';
  turns.clear();
  Next();
  if (byte_ != ByteReader::kEnd && byte_ != kTab) {
    while (byte_ != ByteReader::kEnd && byte_ != '/') {
      amount = static_cast<char>(byte_);
      Next();
    }
    Next();
    while (byte_ != ByteReader::kEnd && byte_ != ' ' && byte_ != kTab) {
      AppendBounded(turns, byte_, kTurnsKeep);
      Next();
    }
  }
  if (turns == "-1") turns = "**";
  turns.resize(std::min<std::size_t>(turns.size(), 2));
}

// Everything up to the LF, CR and NUL dropped. The positions are counted
// whether or not the text is written, so the records are the same either
// way; a text of one character counts as none, though its byte is written.
void CardListImporter::ReadCardText() {
  const std::int64_t start = std::int64_t{TextCharCount} + 1;
  Next();
  while (byte_ != ByteReader::kEnd && byte_ != kLf) {
    if (byte_ != kCr && byte_ != 0) CountTextChar();
    Next();
  }
  if (start >= TextCharCount) {
    card_.TextStart = 0;
    card_.TextEnd = 0;
  } else {
    card_.TextStart = static_cast<std::int32_t>(start);
    card_.TextEnd = TextCharCount;
  }
}

void CardListImporter::CountTextChar() {
  // Positions in CardText.Dat are 32-bit; a text beyond them cannot be
  // addressed, so the data file is as full as it can get.
  if (TextCharCount == std::numeric_limits<std::int32_t>::max()) throw IoError(kDiskFull);
  ++TextCharCount;
  if (cardText_ == nullptr) return;
  textChunk_[textFill_++] = static_cast<std::uint8_t>(byte_);
  if (textFill_ == textChunk_.size()) FlushText();
}

void CardListImporter::FlushText() {
  if (cardText_ == nullptr || textFill_ == 0) return;
  const std::size_t n = textFill_;
  textFill_ = 0;
  cardText_->Write(textChunk_.data(), n);
}

}  // namespace quillet
