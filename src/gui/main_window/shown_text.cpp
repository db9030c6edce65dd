#include "gui/main_window/shown_text.h"

#include <QFile>
#include <QStringDecoder>

#include "gui/platform/card_text_codec.h"

namespace quillet {

QString ShownPath(std::string_view bytes) {
  return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string PathBytes(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

QString ShownMessage(std::string_view bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (!utf8.hasError()) return text;
  return FromCardBytes(bytes);
}

}  // namespace quillet
