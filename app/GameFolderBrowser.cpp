#include "app/GameFolderBrowser.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>

#include <vector>

namespace {

// Moves every item of the grid one row down, so that row 0 is free for the description.
void FreeFirstRow(QGridLayout* grid) {
    struct Placed {
        QLayoutItem* item;
        int row, column, rowSpan, columnSpan;
    };
    std::vector<Placed> items;
    while (grid->count() > 0) {
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(grid->count() - 1, &row, &column, &rowSpan, &columnSpan);
        items.push_back({grid->takeAt(grid->count() - 1), row, column, rowSpan, columnSpan});
    }
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        grid->addItem(it->item, it->row + 1, it->column, it->rowSpan, it->columnSpan);
    }
}

} // namespace

QFileDialog* CreateGameFolderDialog(const QString& descriptionText, const QString& startFolder,
                                    QWidget* parent) {
    const QString oneLine = descriptionText.simplified();
    auto* dialog = new QFileDialog(parent, oneLine, startFolder);
    dialog->setObjectName(QStringLiteral("GameFolderBrowser"));
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly, true);
    // Choosing only: no button for a new folder, no renaming or deleting from the list.
    dialog->setOption(QFileDialog::ReadOnly, true);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    // Steam and Wine keep their folders below hidden ones (~/.steam, ~/.local/share, ~/.wine).
    dialog->setFilter(dialog->filter() | QDir::Hidden);
    dialog->setLabelText(QFileDialog::Accept, QStringLiteral("Auswählen"));
    dialog->setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
    dialog->setLabelText(QFileDialog::FileName, QStringLiteral("Ordner:"));
    dialog->setLabelText(QFileDialog::LookIn, QStringLiteral("Suchen in:"));
    if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout())) {
        auto* description = new QLabel(descriptionText.trimmed(), dialog);
        description->setObjectName(QStringLiteral("DescriptionLabel"));
        description->setTextFormat(Qt::PlainText);
        description->setWordWrap(true);
        FreeFirstRow(grid);
        grid->addWidget(description, 0, 0, 1, grid->columnCount());
        dialog->setWindowTitle(QStringLiteral("Spielverzeichnis auswählen"));
    }
    return dialog;
}

void DialogGameFolderUi::showStartError(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, m_owner);
    box.setObjectName(QStringLiteral("StartErrorBox"));
    box.exec();
}

QString DialogGameFolderUi::browseForGameFolder(const QString& descriptionText, const QString& startFolder) {
    QFileDialog* dialog = CreateGameFolderDialog(descriptionText, startFolder, m_owner);
    QString chosen;
    if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
        chosen = dialog->selectedFiles().constFirst();
    }
    delete dialog;
    return chosen;
}
