#include "app/GameFolderBrowser.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

GameFolderBrowser::GameFolderBrowser(const QString& descriptionText, QWidget* parent)
    : QDialog(parent), m_model(new QFileSystemModel(this)), m_tree(new QTreeView(this)), m_okButton(nullptr) {
    setObjectName(QStringLiteral("GameFolderBrowser"));
    setWindowTitle(QStringLiteral("Ordner suchen"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(420, 460);

    auto* description = new QLabel(descriptionText.trimmed(), this);
    description->setObjectName(QStringLiteral("DescriptionLabel"));
    description->setWordWrap(true);

    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setReadOnly(true);
    m_model->setRootPath(QDir::rootPath());

    // The whole file system stays reachable; the tree opens at the user's home folder.
    m_tree->setObjectName(QStringLiteral("FolderTree"));
    m_tree->setModel(m_model);
    m_tree->setRootIndex(m_model->index(QDir::rootPath()));
    for (int column = 1; column < m_model->columnCount(); ++column) {
        m_tree->hideColumn(column);
    }
    m_tree->header()->hide();
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    const QModelIndex home = m_model->index(QDir::homePath());
    m_tree->expand(home);
    m_tree->scrollTo(home, QAbstractItemView::PositionAtTop);
    m_tree->setCurrentIndex(QModelIndex());
    m_tree->clearSelection();

    auto* buttons = new QDialogButtonBox(this);
    m_okButton = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_okButton->setObjectName(QStringLiteral("OkButton"));
    QPushButton* cancel = buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_tree->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &GameFolderBrowser::updateOkButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(description);
    layout->addWidget(m_tree, 1);
    layout->addWidget(buttons);
    updateOkButton();
}

QString GameFolderBrowser::selectedFolder() const {
    const QModelIndexList rows = m_tree->selectionModel()->selectedRows();
    return rows.isEmpty() ? QString() : m_model->filePath(rows.first());
}

void GameFolderBrowser::updateOkButton() {
    m_okButton->setEnabled(!selectedFolder().isEmpty());
}

void DialogGameFolderUi::showStartError(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, m_owner);
    box.setObjectName(QStringLiteral("StartErrorBox"));
    box.exec();
}

QString DialogGameFolderUi::browseForGameFolder(const QString& descriptionText) {
    GameFolderBrowser browser(descriptionText, m_owner);
    return browser.exec() == QDialog::Accepted ? browser.selectedFolder() : QString();
}
