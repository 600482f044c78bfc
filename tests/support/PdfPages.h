#pragma once

#include <QFile>
#include <QRegularExpression>

// Number of page objects in a PDF file written by Qt; -1 when it is not a PDF.
inline int pdfPageCount(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray data = file.readAll();
    if (!data.startsWith("%PDF-"))
        return -1;
    // "/Type /Page" but not "/Type /Pages", the page tree.
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page\\b"));
    int count = 0;
    for (auto it = page.globalMatch(QString::fromLatin1(data)); it.hasNext(); it.next())
        ++count;
    return count;
}
