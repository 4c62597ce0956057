#include "QtText.h"

#include <QFile>

#include "config/Cp1252.h"

namespace trelvane::ui {

QString FromCp(std::string_view cp1252) {
    const std::string utf8 = Cp1252ToUtf8(cp1252);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
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
