#ifndef QTCOMPAT_H
#define QTCOMPAT_H

// The few calls that Qt 5.15 and Qt 6 spell differently, so that the rest of
// the program reads the same on both.
#include <QLibraryInfo>
#include <QTextStream>
#include <QtGlobal>

namespace qtCompat {

// Where Qt's own catalogues (qtbase_ru.qm) are installed.
inline QString translationsPath()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}

// Qt 5 writes the locale's code page unless told otherwise; Qt 6 has no
// codecs, only encodings.
inline void writeUtf8(QTextStream &stream)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    stream.setEncoding(QStringConverter::Utf8);
#else
    stream.setCodec("UTF-8");
#endif
}

} // namespace qtCompat

#endif
