// Qt's own texts in Italian: the real Save-As dialog's labels, buttons and listed types.
#include "platform/toolkit/qt/QtTexts.h"

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "ToolkitTestSupport.h"
#include "platform/toolkit/CommonDialog.h"
#include "platform/toolkit/Form.h"

namespace toolkit {
namespace {

using testing::AnswerNextModal;
using testing::RaisedNumber;
using testing::TempTree;

TEST(ItalianQtTexts, TheRealSaveDialogSpeaksItalian) {
    ASSERT_TRUE(InstallItalianQtTexts());
    EXPECT_TRUE(InstallItalianQtTexts());
    TempTree tree;
    tree.MakeDirectory("sotto");
    Form form;
    CommonDialog dialog(form);
    dialog.InitDir = tree.Root();
    dialog.CancelError = true;
    QStringList labels;
    QStringList buttons;
    QString folderType;
    AnswerNextModal([&](QWidget* modal) {
        for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"}) {
            const auto* label = modal->findChild<QLabel*>(name);
            labels << (label != nullptr ? label->text() : QString());
        }
        for (const QPushButton* button : modal->findChildren<QPushButton*>()) {
            buttons << button->text();
        }
        auto* model = modal->findChild<QFileSystemModel*>();
        const QModelIndex folder = model->index(QString::fromStdString(tree.PathOf("sotto")));
        folderType = model->type(folder);
        modal->close();
    });
    EXPECT_EQ(RaisedNumber([&] { dialog.ShowSave(); }), runtime::errCancel);
    EXPECT_EQ(labels.join('|').toStdString(), "Cerca in:|&Nome del file:|File di tipo:");
    EXPECT_TRUE(buttons.contains("&Salva")) << buttons.join('|').toStdString();
    EXPECT_TRUE(buttons.contains("Annulla")) << buttons.join('|').toStdString();
    EXPECT_EQ(folderType.toStdString(), "Cartella");
}

}  // namespace
}  // namespace toolkit
