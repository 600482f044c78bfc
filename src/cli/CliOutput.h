#pragma once

#include "UnitLink.h"

#include <QJsonObject>
#include <QString>

// Standard output carries results only; messages and the progress bar go to standard
// error, the bar only when that is a terminal.
class CliOutput
{
public:
    CliOutput(bool json, bool quiet);

    bool json() const { return m_json; }
    bool quiet() const { return m_quiet; }

    void result(const QString &text);          // a line of text, newline added
    void result(const QJsonObject &object);    // one JSON object, one line
    void raw(const QByteArray &bytes);         // as they are (an .ign file)
    void flush();
    void message(const QString &text);         // confirmations; silent under --quiet
    void error(const QString &text);           // always shown

    // Redraws the bar from where the link's transfer is, in the language given.
    void progress(const UnitLink &link, quint8 language);
    void endProgress();

private:
    bool m_json = false;
    bool m_quiet = false;
    bool m_bar = false;
    QString m_lastBar;
};
