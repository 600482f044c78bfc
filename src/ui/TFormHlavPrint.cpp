// The printout: the window's client area, stamped and in its print appearance, on one page.

#include "TFormHlav.h"

#include "AddedTexts.h"
#include "FileNameLabel.h"
#include "LanguageTexts.h"
#include "UserPrompts.h"
#include "WindowPrinter.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QPixmap>
#include <QProgressBar>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTime>

namespace {

// The message area ends short of the live-value column.
constexpr int MessageAreaWidth = 405;

// "Printed to PDF: " and the file's path, shortened in the middle where the whole path
// would run under the live values; the file name is always shown whole.
QString pdfMessage(const QString &pdfPath, const QFontMetrics &metrics, quint8 languageIndex)
{
    const QString prefix = AddedTextFor(AddedText::PrintedToPdf, languageIndex);
    return prefix + elideFilePath(QDir::toNativeSeparators(pdfPath), metrics,
                                  MessageAreaWidth - metrics.horizontalAdvance(prefix));
}

} // namespace

void TFormHlav::SpeedButtonPrintClick()
{
    // The stamp replaces whatever the message area held, an error on red included, and
    // stays there for the usual 200 ticks after printing.
    const QLocale locale = QLocale::system();
    // The long time format of the system, less the time zone Qt's long format adds.
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b")));
    const QString time = locale.toString(QTime::currentTime(), timeFormat.trimmed());
    const QString date = locale.toString(QDate::currentDate(), QLocale::ShortFormat);
    m_link->ShowLinkMessage(PrintStampText(Session.LanguageIndex, date, time), NamedColour::BtnFace);
    ShowLinkState();
    LabelHlaseni->show();
    // In the link's view too, or the next tick would bring the bar back.
    m_link->CGaugeProgram.visible = false;
    CGaugeProgram->hide();

    Printing = true;
    UpdateControlStates();
    // No tick runs while the page is made, so "No Connection" is put away here; the
    // next tick shows it again if the unit is still missing.
    LabelSpojeni->hide();
    // grab() renders the client area as it now stands, whether or not the screen has
    // caught up with the changes yet.
    const QImage image = ClientArea->grab().toImage();
    if (printImageHook)
        printImageHook(image);
    const PrintOutcome outcome =
        printWindowImage(image, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));

    Printing = false;
    UpdateControlStates();
    LabelSpojeni->setVisible(m_link->LabelSpojeniVisible);
    LabelHlaseni->hide();

    if (!outcome.ok) {
        m_prompts->warning(this, printFailureText(outcome, Session.LanguageIndex));
        return;
    }
    if (!outcome.pdfPath.isEmpty()) {
        // Without a printer the page went to a file: say where. The stamp is on the page.
        // Shown from the next tick on, as the stamp is after a print on paper.
        m_link->ShowLinkMessage(pdfMessage(outcome.pdfPath, QFontMetrics(LabelHlaseni->font()), Session.LanguageIndex),
                                NamedColour::BtnFace);
    }
}
