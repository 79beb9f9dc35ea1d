// The real Qt dialogs behind the presenters, answered from a timer while they run modally.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "ToolkitTestSupport.h"
#include "platform/toolkit/CommonDialog.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/MsgBox.h"
#include "platform/toolkit/Presenters.h"
#include "platform/toolkit/qt/Peers.h"

namespace toolkit {
namespace {

using testing::AnswerNextModal;
using testing::RaisedNumber;
using testing::TempTree;

TEST(RealMessageBox, ShowsTheStylesIconTheTitleTheTextAndOneOkButton) {
    struct Seen {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title;
        QString text;
        QList<QAbstractButton*> buttons;
        QMessageBox::StandardButton ok = QMessageBox::NoButton;
    } seen;
    AnswerNextModal([&seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        seen = {box->icon(), box->windowTitle(), box->text(), box->buttons(),
                box->standardButton(box->buttons().value(0))};
        box->accept();
    });
    MsgBox("Errore n. 76 salvando il file \r\nicona.ico", vbExclamation, "Tillomark...Brandell");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.title, "Tillomark...Brandell");
    EXPECT_EQ(seen.text, "Errore n. 76 salvando il file \nicona.ico");
    EXPECT_EQ(seen.buttons.size(), 1);
    EXPECT_EQ(seen.ok, QMessageBox::Ok);
}

class RealSaveDialog : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.DialogTitle = "Salva icona con nome";
        dialog.InitDir = tree.Root();
        dialog.Filter = "Icone|*.ico|Tutti|*.*";
        dialog.DefaultExt = "ico";
        dialog.CancelError = true;
        dialog.Flags = cdlOFNOverwritePrompt;
    }

    TempTree tree;
    Form form;
    CommonDialog dialog{form};
};

TEST_F(RealSaveDialog, ASaveDialogOwnedByTheFormInTheStartDirectory) {
    struct Seen {
        QWidget* parent = nullptr;
        QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
        QString title;
        QString directory;
        QStringList filters;
        QString suffix;
        bool confirmsOverwrite = false;
    } seen;
    AnswerNextModal([&](QWidget* modal) {
        auto* files = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(files, nullptr);
        seen = {files->parentWidget(),
                files->acceptMode(),
                files->windowTitle(),
                files->directory().absolutePath(),
                files->nameFilters(),
                files->defaultSuffix(),
                !files->testOption(QFileDialog::DontConfirmOverwrite)};
        files->selectFile(QString::fromStdString(tree.PathOf("scelta")));
        static_cast<QDialog*>(files)->accept();  // QFileDialog hides it
    });
    dialog.ShowSave();
    EXPECT_EQ(seen.parent, toolkit::qt::SurfaceOf(form));
    EXPECT_EQ(seen.mode, QFileDialog::AcceptSave);
    EXPECT_EQ(seen.title, "Salva icona con nome");
    EXPECT_EQ(seen.directory, QString::fromStdString(tree.Root()));
    EXPECT_EQ(seen.filters, (QStringList{"Icone (*.ico)", "Tutti (*.*)"}));
    EXPECT_EQ(seen.suffix, "ico");
    EXPECT_TRUE(seen.confirmsOverwrite);
    EXPECT_EQ(dialog.FileName, tree.PathOf("scelta.ico"));
    EXPECT_EQ(dialog.FileTitle, "scelta.ico");
}

TEST_F(RealSaveDialog, WithoutTheOverwritePromptFlagItReplacesWithoutAsking) {
    dialog.Flags = 0;
    bool confirms = true;
    AnswerNextModal([&](QWidget* modal) {
        confirms = !static_cast<QFileDialog*>(modal)->testOption(QFileDialog::DontConfirmOverwrite);
        modal->close();
    });
    EXPECT_EQ(RaisedNumber([&] { dialog.ShowSave(); }), runtime::errCancel);
    EXPECT_FALSE(confirms);
}

// What the dialog showed when it opened, after which a name is typed and Save pressed.
struct Opened {
    QString directory;
    QString fileName;
};

Opened TypeAndSave(QWidget* modal, const QString& name) {
    auto* files = qobject_cast<QFileDialog*>(modal);
    auto* edit = modal->findChild<QLineEdit*>("fileNameEdit");
    auto* buttons = modal->findChild<QDialogButtonBox*>();
    if (files == nullptr || edit == nullptr || buttons == nullptr) {
        ADD_FAILURE() << "not Qt's own file dialog";
        modal->close();
        return {};
    }
    const Opened opened{files->directory().absolutePath(), edit->text()};
    edit->setText(name);
    buttons->button(QDialogButtonBox::Save)->click();
    return opened;
}

TEST_F(RealSaveDialog, ADirectoryQtCannotShowOpensInTheNearestAncestorItCan) {
    tree.MakeDirectory("latin\xe9");
    tree.MakeDirectory("latin\xe9/sotto");
    dialog.InitDir = tree.PathOf("latin\xe9/sotto");
    Opened opened;
    AnswerNextModal([&](QWidget* modal) { opened = TypeAndSave(modal, "scelta"); });
    dialog.ShowSave();
    EXPECT_EQ(opened.directory.toStdString(), tree.Root());
    EXPECT_EQ(opened.fileName.toStdString(), "");
    EXPECT_EQ(dialog.FileName, tree.PathOf("scelta.ico"));
}

TEST_F(RealSaveDialog, AnAnswerWhoseBytesAreNotSurelyTheShownOnesRaises52) {
    tree.MakeFile("\xe9.ico");           // shown as "\uFFFD.ico"
    tree.MakeDirectory("\xef\xbf\xbd");  // U+FFFD itself, shown as it is
    AnswerNextModal(
        [](QWidget* modal) { TypeAndSave(modal, QString::fromUtf8("\xef\xbf\xbd.ico")); });
    EXPECT_EQ(RaisedNumber([&] { dialog.ShowSave(); }), runtime::errBadFileName);
    EXPECT_EQ(dialog.FileName, "");
    dialog.InitDir = tree.PathOf("\xef\xbf\xbd");
    AnswerNextModal([](QWidget* modal) { TypeAndSave(modal, "scelta"); });
    dialog.ShowSave();
    EXPECT_EQ(dialog.FileName, tree.PathOf("\xef\xbf\xbd/scelta.ico"));
}

TEST_F(RealSaveDialog, RejectingTheDialogIsCancel) {
    AnswerNextModal([](QWidget* modal) { modal->close(); });
    EXPECT_EQ(RaisedNumber([&] { dialog.ShowSave(); }), runtime::errCancel);
}

}  // namespace
}  // namespace toolkit
