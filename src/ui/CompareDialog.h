#pragma once

#include "BlockDifference.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

// The difference between the unit and the editor: one row per field that differs, the
// unit's value beside the editor's, or a line saying the unit holds the set shown. The
// user takes the unit's set into the editor (accepted) or closes the table (rejected).
class CompareDialog : public QDialog
{
    Q_OBJECT

public:
    CompareDialog(const QList<DifferenceRow> &rows, quint8 languageIndex, QWidget *parent = nullptr);

    QTableWidget *CompareTable = nullptr;
    QLabel *CompareNoDifference = nullptr;
    QPushButton *CompareTake = nullptr;
    QPushButton *CompareClose = nullptr;
};
