#include "nvram/frmNVRAM.h"

#include "games/Collation.h"
#include "nvram/NvramManager.h"
#include "nvram/SaveDataTable.h"
#include "ui/SelectionList.h"
#include "ui/Twips.h"
#include "ui/WindowRegistry.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

namespace talvero {

frmNVRAM::frmNVRAM(QWidget* owner)
    : QDialog(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmNVRAM"));
    setWindowTitle(QStringLiteral("NVRAM-Manager v1.1"));
    setFixedSize(TwipsSize(4995, 1845));
    m_frame1 = PlaceChild(new QGroupBox(this), "Frame1", TwipsRect(60, 0, 4875, 1785));
    m_list1 = PlaceChild(new SelectionList(m_frame1), "List1", TwipsRect(120, 230, 3015, 1425));
    m_command1 = PlaceChild(new QPushButton(m_frame1), "Command1", TwipsRect(3230, 240, 1515, 330));
    m_command2 = PlaceChild(new QPushButton(m_frame1), "Command2", TwipsRect(3230, 620, 1515, 315));
    m_command3 = PlaceChild(new QPushButton(m_frame1), "Command3", TwipsRect(3230, 980, 1515, 315));
    m_command4 = PlaceChild(new QPushButton(m_frame1), "Command4", TwipsRect(3230, 1340, 1515, 315));
    setTabOrder(m_list1, m_command1);
    setTabOrder(m_command1, m_command2);
    setTabOrder(m_command2, m_command3);
    setTabOrder(m_command3, m_command4);
    // No button takes Enter: a stray Enter in the list must not replace the one backup.
    for (QPushButton* button : {m_command1, m_command2, m_command3, m_command4})
        button->setAutoDefault(false);

    connect(m_list1, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_list1->selectedItems().isEmpty())
            List1_Click();
    });
    connect(m_command1, &QPushButton::clicked, this, &frmNVRAM::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &frmNVRAM::Command2_Click);
    connect(m_command3, &QPushButton::clicked, this, &frmNVRAM::Command3_Click);
    connect(m_command4, &QPushButton::clicked, this, &QDialog::reject);

    Form_Load();
    Windows().nvram = this;
}

void frmNVRAM::Form_Load()
{
    m_command1->setText(QStringLiteral("&Backup"));
    m_command2->setText(QStringLiteral("&Restore"));
    m_command3->setText(QStringLiteral("De&lete"));
    m_command4->setText(QStringLiteral("&Exit"));

    std::vector<std::string> shown;
    for (const std::string& entry : NvramEntries()) {
        m_list1->insertItem(InsertSorted(shown, entry), QString::fromStdString(entry));
    }
    if (m_list1->count() == 0) {
        for (QPushButton* button : {m_command1, m_command2, m_command3})
            button->setEnabled(false);
        return;
    }
    m_list1->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
}

void frmNVRAM::List1_Click()
{
    const bool backup = IsBackupEntry(SelectedEntry().toStdString());
    m_command1->setEnabled(!backup);
    m_command2->setEnabled(backup);
}

QString frmNVRAM::SelectedEntry() const
{
    const auto selected = m_list1->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void frmNVRAM::Refresh()
{
    m_list1->clear();
    Form_Load();
}

void frmNVRAM::Command1_Click()
{
    if (BackupSaveData(SelectedEntry().toStdString()))
        Refresh();
}

void frmNVRAM::Command2_Click()
{
    if (RestoreSaveData(SelectedEntry().toStdString()))
        Refresh();
}

void frmNVRAM::Command3_Click()
{
    if (DeleteSaveData(SelectedEntry().toStdString()))
        Refresh();
}

void frmNVRAM::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Centred over the main window.
    if (parentWidget()) {
        const QRect owner = parentWidget()->frameGeometry();
        move(owner.center() - QPoint(width() / 2, height() / 2));
    }
}

}  // namespace talvero
