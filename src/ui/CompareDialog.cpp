#include "CompareDialog.h"

#include "AddedTexts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

CompareDialog::CompareDialog(const QList<DifferenceRow> &rows, quint8 language, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CompareDialog"));
    setWindowTitle(AddedTextFor(AddedText::CompareTitle, language));

    auto *layout = new QVBoxLayout(this);

    CompareNoDifference = new QLabel(AddedTextFor(AddedText::CompareNoDifference, language), this);
    CompareNoDifference->setObjectName(QStringLiteral("CompareNoDifference"));
    CompareNoDifference->setVisible(rows.isEmpty());
    layout->addWidget(CompareNoDifference);

    CompareTable = new QTableWidget(int(rows.size()), 3, this);
    CompareTable->setObjectName(QStringLiteral("CompareTable"));
    CompareTable->setHorizontalHeaderLabels({AddedTextFor(AddedText::CompareColumnField, language),
                                             AddedTextFor(AddedText::CompareColumnUnit, language),
                                             AddedTextFor(AddedText::CompareColumnEditor, language)});
    CompareTable->verticalHeader()->setVisible(false);
    CompareTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    CompareTable->setSelectionMode(QAbstractItemView::NoSelection);
    CompareTable->setFocusPolicy(Qt::NoFocus);
    CompareTable->setWordWrap(false);
    for (int r = 0; r < int(rows.size()); ++r) {
        const DifferenceRow &row = rows[r];
        int c = 0;
        for (const QString &text : {row.field, row.unitValue, row.editorValue}) {
            auto *item = new QTableWidgetItem(text);
            item->setToolTip(text);
            CompareTable->setItem(r, c++, item);
        }
    }
    CompareTable->resizeColumnsToContents();
    CompareTable->horizontalHeader()->setStretchLastSection(true);
    CompareTable->setVisible(!rows.isEmpty());
    layout->addWidget(CompareTable);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    CompareTake = new QPushButton(AddedTextFor(AddedText::CompareTakeUnitSet, language), this);
    CompareTake->setObjectName(QStringLiteral("CompareTake"));
    CompareTake->setEnabled(!rows.isEmpty());
    CompareTake->setAutoDefault(false);
    CompareClose = new QPushButton(AddedTextFor(AddedText::CompareClose, language), this);
    CompareClose->setObjectName(QStringLiteral("CompareClose"));
    CompareClose->setDefault(true);
    buttons->addWidget(CompareTake);
    buttons->addWidget(CompareClose);
    layout->addLayout(buttons);

    connect(CompareTake, &QPushButton::clicked, this, &QDialog::accept);
    connect(CompareClose, &QPushButton::clicked, this, &QDialog::reject);

    const int width = CompareTable->horizontalHeader()->length() + 2 * CompareTable->frameWidth() + 24;
    resize(std::max(460, std::min(width, 900)), rows.isEmpty() ? 120 : std::min(560, 110 + 24 * int(rows.size())));
}
