#include "QtText.h"

#include <QFile>

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
#if defined(Q_OS_WIN)
    const QByteArray bytes = path.toUtf8();
#else
    const QByteArray bytes = QFile::encodeName(path);
#endif
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString FromCorePath(std::string_view path) {
    const QByteArray bytes(path.data(), static_cast<qsizetype>(path.size()));
#if defined(Q_OS_WIN)
    return QString::fromUtf8(bytes);
#else
    return QFile::decodeName(bytes);
#endif
}

}  // namespace trelvane::ui
