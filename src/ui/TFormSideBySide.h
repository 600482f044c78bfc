#pragma once

#include "IgnitionParameters.h"
#include "TFormCurve.h"

#include <QWidget>

class QLabel;
class QTableWidget;

// Two sets side by side: both advance curves drawn over each other with a legend, and
// the fields in which they differ in a table beside the graph.
class TFormSideBySide : public QWidget
{
    Q_OBJECT

public:
    explicit TFormSideBySide(QWidget *parent = nullptr);

    // first is drawn as the curve window draws the editor's set, second over it.
    void showSets(const IgnitionParameters &first, const QString &firstLabel,
                  const IgnitionParameters &second, const QString &secondLabel,
                  const TFormCurve::Texts &texts, quint8 languageIndex);

    TFormCurve *SideBySideCurve = nullptr;
    QTableWidget *SideBySideTable = nullptr;
    QLabel *SideBySideSame = nullptr;
};
