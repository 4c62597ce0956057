#include "QtText.h"

#include "config/Cp1252.h"

namespace trelvane::ui {

QString FromCp(std::string_view cp1252) {
    // One UTF-16 unit per byte: the reports hand over megabytes of text.
    QString text(static_cast<qsizetype>(cp1252.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : cp1252)
        *out++ = QChar(Cp1252CodeUnit(static_cast<unsigned char>(c)));
    return text;
}

std::string ToCp(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToCp1252(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

QString FromCpLines(std::string_view cp1252) {
    QString text = FromCp(cp1252);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string CorePath(const QString& path) {
    return ToCp(path);
}

QString PathFromCore(std::string_view path) {
    return FromCp(path);
}

}  // namespace trelvane::ui
