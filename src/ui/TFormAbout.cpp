#include "TFormAbout.h"

#include "AddedTexts.h"
#include "FormLook.h"
#include "LanguageTexts.h"
#include "Pictures.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace {

// The outer size the About window had on the platform it was laid out for; the client
// area is what we control here.
constexpr int OuterWidth = 281;
constexpr int OuterHeight = 402;
constexpr int FrameWidth = 8;
constexpr int FrameHeight = 27;

QLabel *addLabel(QWidget *parent, const char *name, const QString &text, int left, int top, int pixelHeight)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(formFont(pixelHeight));
    label->setStyleSheet(QStringLiteral("color: black; background: transparent;"));
    label->adjustSize();
    label->move(left, top);
    return label;
}

} // namespace

TFormAbout::TFormAbout(const quint8 &languageIndex, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_languageIndex(languageIndex)
{
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(QString::fromLatin1(AboutBuiltInCaption));
    setModal(true);
    setFixedSize(OuterWidth - FrameWidth, OuterHeight - FrameHeight);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setFont(formFont(11));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    // The main window's logo, drawn at the 161 x 81 of this window.
    QPixmap logo(QSize(161, 81) * devicePixelRatioF());
    logo.setDevicePixelRatio(devicePixelRatioF());
    logo.fill(Qt::transparent);
    {
        QPainter painter(&logo);
        drawLogo(painter, QRectF(0, 0, 161, 81));
    }
    Image1->setPixmap(logo);
    Image1->setGeometry(32, 24, 161, 81);

    // What is true of this program; it has no postal, mail or web address to give, so
    // those lines stay empty. The texts that follow the language come in FormActivate.
    Label2 = addLabel(this, "Label2", QStringLiteral("Korvo TCI programmer"), 32, 132, 16);
    Label3 = addLabel(this, "Label3", QString(), 32, 157, 16);
    Label4 = addLabel(this, "Label4", QString(), 32, 182, 16);
    Label5 = addLabel(this, "Label5", QString(), 32, 207, 16);
    Label9 = addLabel(this, "Label9", QString(), 32, 243, 16);
    Label10 = addLabel(this, "Label10", QString(), 32, 268, 16);
    for (QLabel *unused : {Label5, Label9, Label10})
        unused->hide();
    ButtonAboutQt = new QPushButton(this);
    ButtonAboutQt->setObjectName(QStringLiteral("ButtonAboutQt"));
    ButtonAboutQt->setAutoDefault(false);
    ButtonAboutQt->move(32, 243);
    connect(ButtonAboutQt, &QPushButton::clicked, this, [this] { QMessageBox::aboutQt(this); });
    LabelDate = addLabel(this, "LabelDate", QString(), 32, 313, 11);
    LabelTime = addLabel(this, "LabelTime", QString(), 32, 335, 11);
    LabelProgramVersion = addLabel(this, "LabelProgramVersion", QString(), 32, 357, 11);
    LabelExit = addLabel(this, "LabelExit", QStringLiteral("OK"), 216, 320, 23);
    LabelExit->setCursor(Qt::PointingHandCursor);
    LabelExit->installEventFilter(this);

    FormCreate();
}

QString TFormAbout::buildDateText()
{
    // The compiler writes "Mmm dd yyyy" with the day padded by a blank: the format shown.
    return QString::fromLatin1(__DATE__);
}

QString TFormAbout::buildTimeText()
{
    return QString::fromLatin1(__TIME__);
}

void TFormAbout::FormCreate()
{
    LabelDate->setText(buildDateText());
    LabelDate->adjustSize();
    LabelTime->setText(buildTimeText());
    LabelTime->adjustSize();
    // Centred once; afterwards it stays wherever the user puts it.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + area.width() / 2 - OuterWidth / 2, area.y() + area.height() / 2 - OuterHeight / 2);
    }
}

void TFormAbout::FormActivate()
{
    if (const auto caption = AboutCaption(m_languageIndex))
        setWindowTitle(*caption);
    LabelProgramVersion->setText(
        AddedTextFor(AddedText::AboutVersion, m_languageIndex).arg(QStringLiteral(KORVO_VERSION)));
    LabelProgramVersion->adjustSize();
    // The version is LabelProgramVersion's, further down.
    Label3->setText(AddedTextFor(AddedText::AboutLicence, m_languageIndex));
    Label3->adjustSize();
    Label4->setText(AddedTextFor(AddedText::AboutQtVersion, m_languageIndex).arg(QString::fromLatin1(qVersion())));
    Label4->adjustSize();
    ButtonAboutQt->setText(AddedTextFor(AddedText::AboutQtButton, m_languageIndex));
    ButtonAboutQt->adjustSize();
}

void TFormAbout::Button1Click()
{
    close();
}

bool TFormAbout::event(QEvent *e)
{
    // Show() counts as an activation too, so the caption is right even where the
    // platform never activates the window (offscreen).
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::Show)
        FormActivate();
    return QDialog::event(e);
}

bool TFormAbout::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == LabelExit && e->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton) {
        Button1Click();
        return true;
    }
    return QDialog::eventFilter(watched, e);
}
