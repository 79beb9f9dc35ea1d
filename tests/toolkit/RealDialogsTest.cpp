// The real Qt dialogs behind the presenters, answered from a timer while they run modally.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "ToolkitTestSupport.h"
#include "platform/toolkit/CommonDialog.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/MsgBox.h"
#include "platform/toolkit/Presenters.h"
#include "platform/toolkit/qt/Peers.h"

namespace toolkit {
namespace {

using testing::RaisedNumber;
using testing::TempTree;

// Runs `answer` on the first modal dialog that shows (polling, so it works whenever the dialog's
// own event loop starts).
void AnswerNextModal(std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer = std::move(answer)] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        }
    });
    timer->start();
}

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

TEST_F(RealSaveDialog, RejectingTheDialogIsCancel) {
    AnswerNextModal([](QWidget* modal) { modal->close(); });
    EXPECT_EQ(RaisedNumber([&] { dialog.ShowSave(); }), errCancel);
}

}  // namespace
}  // namespace toolkit
