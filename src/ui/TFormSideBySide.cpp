#include "TFormSideBySide.h"

#include "AddedTexts.h"
#include "BlockDifference.h"

#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

TFormSideBySide::TFormSideBySide(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FormSideBySide"));
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    SideBySideCurve = new TFormCurve(splitter);
    SideBySideCurve->setObjectName(QStringLiteral("SideBySideCurve"));
    SideBySideCurve->setWindowFlags(Qt::Widget);
    SideBySideCurve->setReadOnly(true);
    SideBySideCurve->setMinimumSize(420, 300);
    auto *right = new QWidget(splitter);
    SideBySideTable = new QTableWidget(right);
    SideBySideTable->setObjectName(QStringLiteral("SideBySideTable"));
    SideBySideTable->setColumnCount(3);
    SideBySideTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SideBySideTable->verticalHeader()->hide();
    SideBySideTable->horizontalHeader()->setStretchLastSection(true);
    SideBySideSame = new QLabel(right);
    SideBySideSame->setObjectName(QStringLiteral("SideBySideSame"));
    SideBySideSame->hide();
    auto *column = new QVBoxLayout(right);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(SideBySideTable, 1);
    column->addWidget(SideBySideSame);
    splitter->addWidget(SideBySideCurve);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({600, 380});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    resize(1000, 440);
}

void TFormSideBySide::showSets(const IgnitionParameters &first, const QString &firstLabel,
                               const IgnitionParameters &second, const QString &secondLabel,
                               const TFormCurve::Texts &texts, quint8 languageIndex)
{
    setWindowTitle(QStringLiteral("%1 - %2").arg(firstLabel, secondLabel));
    SideBySideCurve->setTexts(texts);
    SideBySideCurve->showSet(first, 0, true);
    SideBySideCurve->showOverlay(second, firstLabel, secondLabel);

    const QList<DifferenceRow> rows =
        DifferenceRows(first.UnitBlockImage(), second.UnitBlockImage(), languageIndex);
    SideBySideTable->clearContents();
    SideBySideTable->setRowCount(int(rows.size()));
    SideBySideTable->setHorizontalHeaderLabels(
        {AddedTextFor(AddedText::CompareColumnField, languageIndex), firstLabel, secondLabel});
    for (int r = 0; r < rows.size(); ++r) {
        SideBySideTable->setItem(r, 0, new QTableWidgetItem(rows[r].field));
        SideBySideTable->setItem(r, 1, new QTableWidgetItem(rows[r].unitValue));
        SideBySideTable->setItem(r, 2, new QTableWidgetItem(rows[r].editorValue));
    }
    SideBySideTable->resizeColumnsToContents();
    SideBySideSame->setText(AddedTextFor(AddedText::HistorySameSets, languageIndex));
    SideBySideSame->setVisible(rows.isEmpty());
}
