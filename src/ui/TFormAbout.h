#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About window: the maker's logo and address, the date and time the program was
// built, and an OK label that closes it. Created once after the main window and only
// shown and hidden, so its place and texts persist between showings.
class TFormAbout : public QDialog
{
    Q_OBJECT

public:
    // languageIndex is read at every activation to set the caption.
    explicit TFormAbout(const quint8 &languageIndex, QWidget *parent = nullptr);

    QLabel *Image1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *LabelDate = nullptr;
    QLabel *LabelTime = nullptr;
    QLabel *LabelExit = nullptr;
    // The program's version, under the build time, in the interface language.
    QLabel *LabelProgramVersion = nullptr;
    QPushButton *ButtonAboutQt = nullptr; // Qt's own About box

    // The build date as "Mar  5 2021" and time as "14:05:09".
    static QString buildDateText();
    static QString buildTimeText();

    void FormActivate();
    void Button1Click();

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void FormCreate();

    const quint8 &m_languageIndex;
};
