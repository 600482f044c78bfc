#include "PdfOutline.h"

#include <QMap>
#include <QRegularExpression>

namespace {

struct Xref {
    QMap<int, qsizetype> offsets; // object number -> byte offset
    QByteArray trailer;
};

// The cross-reference section at `offset` and the trailer after it.
bool readXref(const QByteArray &pdf, qsizetype offset, Xref &xref)
{
    if (!pdf.mid(offset, 4).startsWith("xref"))
        return false;
    qsizetype at = offset + 4;
    static const QRegularExpression subsection(QStringLiteral("^\\s*(\\d+) (\\d+)\\s*$"));
    static const QRegularExpression entry(QStringLiteral("^(\\d{10}) (\\d{5}) ([nf])\\s*$"));
    int number = 0;
    int remaining = 0;
    while (at < pdf.size()) {
        qsizetype end = pdf.indexOf('\n', at);
        if (end < 0)
            return false;
        const QString line = QString::fromLatin1(pdf.mid(at, end - at)).trimmed();
        at = end + 1;
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1String("trailer"))) {
            const qsizetype close = pdf.indexOf(">>", at);
            if (close < 0)
                return false;
            xref.trailer = pdf.mid(at, close + 2 - at);
            return true;
        }
        if (remaining == 0) {
            const QRegularExpressionMatch match = subsection.match(line);
            if (!match.hasMatch())
                return false;
            number = match.captured(1).toInt();
            remaining = match.captured(2).toInt();
            continue;
        }
        const QRegularExpressionMatch match = entry.match(line);
        if (!match.hasMatch())
            return false;
        if (match.captured(3) == QLatin1String("n"))
            xref.offsets.insert(number, match.captured(1).toLongLong());
        ++number;
        --remaining;
    }
    return false;
}

// The dictionary of object `number`, as written between "obj" and the end of its
// outermost "<< >>".
QByteArray objectDictionary(const QByteArray &pdf, const Xref &xref, int number)
{
    const qsizetype offset = xref.offsets.value(number, -1);
    if (offset < 0)
        return {};
    const QByteArray head = QByteArray::number(number) + " 0 obj";
    if (pdf.mid(offset, head.size()) != head)
        return {};
    qsizetype at = pdf.indexOf("<<", offset + head.size());
    if (at < 0)
        return {};
    const qsizetype start = at;
    int depth = 0;
    while (at + 1 < pdf.size()) {
        if (pdf.at(at) == '<' && pdf.at(at + 1) == '<') {
            ++depth;
            at += 2;
        } else if (pdf.at(at) == '>' && pdf.at(at + 1) == '>') {
            at += 2;
            if (--depth == 0)
                return pdf.mid(start, at - start);
        } else {
            ++at;
        }
    }
    return {};
}

int reference(const QByteArray &dictionary, const char *key)
{
    const QRegularExpression pattern(QStringLiteral("/%1\\s+(\\d+)\\s+0\\s+R").arg(QLatin1String(key + 1)));
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(dictionary));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The page objects in reading order, walking the page tree.
bool collectPages(const QByteArray &pdf, const Xref &xref, int node, QList<int> &pages, int depth = 0)
{
    const QByteArray dictionary = objectDictionary(pdf, xref, node);
    if (dictionary.isEmpty() || depth > 16)
        return false;
    if (dictionary.contains("/Type /Page") && !dictionary.contains("/Type /Pages")) {
        pages.append(node);
        return true;
    }
    static const QRegularExpression kidsPattern(QStringLiteral("/Kids\\s*\\[([^\\]]*)\\]"));
    const QRegularExpressionMatch kids = kidsPattern.match(QString::fromLatin1(dictionary));
    if (!kids.hasMatch())
        return false;
    static const QRegularExpression kidPattern(QStringLiteral("(\\d+)\\s+0\\s+R"));
    for (const QRegularExpressionMatch &kid : kidPattern.globalMatch(kids.captured(1))) {
        if (!collectPages(pdf, xref, kid.captured(1).toInt(), pages, depth + 1))
            return false;
    }
    return true;
}

// The height of a page in points, from its own media box or an inherited one.
qreal pageHeight(const QByteArray &pdf, const Xref &xref, int page)
{
    static const QRegularExpression box(
        QStringLiteral("/MediaBox\\s*\\[\\s*([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)\\s*\\]"));
    for (int node = page, depth = 0; node >= 0 && depth < 16; ++depth) {
        const QByteArray dictionary = objectDictionary(pdf, xref, node);
        const QRegularExpressionMatch match = box.match(QString::fromLatin1(dictionary));
        if (match.hasMatch())
            return match.captured(4).toDouble() - match.captured(2).toDouble();
        node = reference(dictionary, "/Parent");
    }
    return 0;
}

// A PDF text string: UTF-16 big-endian with its byte order mark, in hexadecimal.
QByteArray textString(const QString &text)
{
    QByteArray bytes("\xFE\xFF", 2);
    for (const QChar c : text) {
        bytes.append(char(c.unicode() >> 8));
        bytes.append(char(c.unicode() & 0xFF));
    }
    return '<' + bytes.toHex().toUpper() + '>';
}

} // namespace

QByteArray addPdfOutline(const QByteArray &pdf, const QList<PdfBookmark> &bookmarks, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return QByteArray();
    };
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    if (startxref < 0)
        return fail(QStringLiteral("no startxref"));
    bool ok = false;
    const qsizetype previous =
        pdf.mid(startxref + 9, 32).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
    Xref xref;
    if (!ok || !readXref(pdf, previous, xref))
        return fail(QStringLiteral("no classic cross-reference table"));

    static const QRegularExpression sizePattern(QStringLiteral("/Size\\s+(\\d+)"));
    const QRegularExpressionMatch size = sizePattern.match(QString::fromLatin1(xref.trailer));
    const int root = reference(xref.trailer, "/Root");
    if (!size.hasMatch() || root < 0)
        return fail(QStringLiteral("trailer without /Size or /Root"));
    const int info = reference(xref.trailer, "/Info");
    QByteArray catalog = objectDictionary(pdf, xref, root);
    if (catalog.isEmpty() || catalog.contains("/Outlines"))
        return fail(QStringLiteral("catalogue missing or already with an outline"));
    QList<int> pages;
    if (!collectPages(pdf, xref, reference(catalog, "/Pages"), pages) || pages.isEmpty())
        return fail(QStringLiteral("page tree not readable"));
    for (const PdfBookmark &bookmark : bookmarks) {
        if (bookmark.page < 0 || bookmark.page >= pages.size())
            return fail(QStringLiteral("bookmark \"%1\" on page %2 of %3")
                            .arg(bookmark.title)
                            .arg(bookmark.page + 1)
                            .arg(pages.size()));
    }
    if (bookmarks.isEmpty())
        return pdf;

    // Object numbers: the outline root, then one per bookmark.
    const int outlines = size.captured(1).toInt();
    auto objectOf = [outlines](qsizetype index) { return outlines + 1 + int(index); };
    QList<int> parent(bookmarks.size(), -1);
    QList<QList<int>> children(bookmarks.size() + 1); // the last list is the root's
    for (qsizetype i = 0; i < bookmarks.size(); ++i) {
        int above = -1;
        if (bookmarks.at(i).level > 1) {
            for (qsizetype j = i - 1; j >= 0; --j) {
                if (bookmarks.at(j).level == 1) {
                    above = int(j);
                    break;
                }
            }
        }
        parent[i] = above;
        children[above < 0 ? bookmarks.size() : above].append(int(i));
    }

    QByteArray out = pdf;
    if (!out.endsWith('\n'))
        out.append('\n');
    QMap<int, qsizetype> written;
    auto begin = [&out, &written](int number) {
        written.insert(number, out.size());
        out.append(QByteArray::number(number) + " 0 obj\n");
    };
    auto ref = [](int number) { return QByteArray::number(number) + " 0 R"; };

    const QList<int> &top = children.last();
    begin(outlines);
    out.append("<< /Type /Outlines /First " + ref(objectOf(top.first())) + " /Last " + ref(objectOf(top.last())) +
               " /Count " + QByteArray::number(bookmarks.size()) + " >>\nendobj\n");
    for (qsizetype i = 0; i < bookmarks.size(); ++i) {
        const PdfBookmark &bookmark = bookmarks.at(i);
        const QList<int> &siblings = children[parent.at(i) < 0 ? bookmarks.size() : parent.at(i)];
        const qsizetype place = siblings.indexOf(int(i));
        const qreal y = pageHeight(pdf, xref, pages.at(bookmark.page)) - bookmark.top;
        begin(objectOf(i));
        out.append("<< /Title " + textString(bookmark.title) + " /Parent " +
                   ref(parent.at(i) < 0 ? outlines : objectOf(parent.at(i))));
        if (place > 0)
            out.append(" /Prev " + ref(objectOf(siblings.at(place - 1))));
        if (place + 1 < siblings.size())
            out.append(" /Next " + ref(objectOf(siblings.at(place + 1))));
        const QList<int> &own = children.at(i);
        if (!own.isEmpty())
            out.append(" /First " + ref(objectOf(own.first())) + " /Last " + ref(objectOf(own.last())) +
                       " /Count " + QByteArray::number(own.size()));
        out.append(" /Dest [" + ref(pages.at(bookmark.page)) + " /XYZ 0 " + QByteArray::number(qMax(0.0, y), 'f', 1) +
                   " 0] >>\nendobj\n");
    }
    // The catalogue again, under its own number, now naming the outline.
    catalog.chop(2);
    begin(root);
    out.append(catalog + " /Outlines " + ref(outlines) + " /PageMode /UseOutlines >>\nendobj\n");

    const qsizetype xrefAt = out.size();
    out.append("xref\n");
    for (auto it = written.cbegin(); it != written.cend();) {
        // Runs of consecutive numbers make one subsection each.
        auto run = it;
        int count = 0;
        while (run != written.cend() && run.key() == it.key() + count) {
            ++run;
            ++count;
        }
        out.append(QByteArray::number(it.key()) + ' ' + QByteArray::number(count) + '\n');
        for (; it != run; ++it)
            out.append(QByteArray::number(it.value()).rightJustified(10, '0') + " 00000 n\r\n");
    }
    const int newSize = objectOf(bookmarks.size());
    out.append("trailer\n<< /Size " + QByteArray::number(newSize) + " /Root " + ref(root));
    if (info >= 0)
        out.append(" /Info " + ref(info));
    static const QRegularExpression idPattern(QStringLiteral("/ID\\s*\\[[^\\]]*\\]"));
    const QRegularExpressionMatch id = idPattern.match(QString::fromLatin1(xref.trailer));
    if (id.hasMatch())
        out.append(' ' + id.captured(0).toLatin1());
    out.append(" /Prev " + QByteArray::number(previous) + " >>\nstartxref\n" + QByteArray::number(xrefAt) +
               "\n%%EOF\n");
    return out;
}
