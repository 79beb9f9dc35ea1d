// The Save-As dialog with a scripted presenter: what it asks, how the answer lands, Cancel.
#include "platform/toolkit/CommonDialog.h"

#include <gtest/gtest.h>

#include "ToolkitTestSupport.h"
#include "platform/runtime/Replaceable.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/PathText.h"
#include "platform/toolkit/qt/DialogOwner.h"
#include "platform/toolkit/qt/Peers.h"
#include "platform/toolkit/qt/SaveDialogFilter.h"

namespace toolkit {
namespace {

using testing::RaisedNumber;
using testing::TempTree;

class CommonDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.DialogTitle = "Salva icona con nome";
        dialog.Filter = "*.ico";
        dialog.DefaultExt = "ico";
        dialog.Flags = 2;
    }

    TempTree tree;
    Form form;
    CommonDialog dialog{form};
    std::optional<std::string> answer;
    std::vector<SaveDialogRequest> requests;
    QWidget* ownerWhileShown = nullptr;
    runtime::InstallGuard<SaveDialogPresenter> presenter{InstallSaveDialogPresenter,
                                                         [this](const SaveDialogRequest& request) {
                                                             requests.push_back(request);
                                                             ownerWhileShown = DialogOwner();
                                                             return answer;
                                                         }};
};

TEST_F(CommonDialogTest, AsksWithTheDialogsPropertiesOwnedByTheForm) {
    dialog.InitDir = tree.Root() + "/";
    answer = tree.PathOf("uno.ico");
    dialog.ShowSave();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].title, "Salva icona con nome");
    EXPECT_EQ(requests[0].directory, tree.Root());
    EXPECT_EQ(requests[0].filter, "*.ico");
    EXPECT_EQ(requests[0].defaultExt, "ico");
    EXPECT_EQ(requests[0].flags, 2);
    EXPECT_EQ(ownerWhileShown, toolkit::qt::SurfaceOf(form));
    EXPECT_NE(DialogOwner(), toolkit::qt::SurfaceOf(form));  // only while the dialog shows
}

TEST_F(CommonDialogTest, AnInitialDirectoryThatDoesNotExistOpensInTheWorkingDirectory) {
    dialog.InitDir = "c:\\programmi\\devstudio\\vb\\immagini";
    dialog.ShowSave();
    dialog.InitDir = "";
    dialog.ShowSave();
    dialog.InitDir = tree.PathOf("absent");
    dialog.ShowSave();
    ASSERT_EQ(requests.size(), 3u);
    for (const SaveDialogRequest& request : requests) {
        EXPECT_EQ(request.directory, path_text::WorkingDirectory());
    }
}

TEST_F(CommonDialogTest, TheDefaultExtensionGoesOnlyOnANameWithoutOne) {
    answer = tree.PathOf("icona");
    dialog.ShowSave();
    EXPECT_EQ(dialog.FileName, tree.PathOf("icona.ico"));
    EXPECT_EQ(dialog.FileTitle, "icona.ico");
    answer = tree.PathOf("icona.png");
    dialog.ShowSave();
    EXPECT_EQ(dialog.FileName, tree.PathOf("icona.png"));
    EXPECT_EQ(dialog.FileTitle, "icona.png");
    answer = tree.PathOf("icona.");
    dialog.ShowSave();
    EXPECT_EQ(dialog.FileTitle, "icona.");
    dialog.DefaultExt = "";
    answer = tree.PathOf("nuda");
    dialog.ShowSave();
    EXPECT_EQ(dialog.FileTitle, "nuda");
}

TEST_F(CommonDialogTest, APointInTheDirectoryDoesNotCountAsAnExtension) {
    tree.MakeDirectory("cartella.vecchia");
    answer = tree.PathOf("cartella.vecchia/icona");
    dialog.ShowSave();
    EXPECT_EQ(dialog.FileName, tree.PathOf("cartella.vecchia/icona.ico"));
}

TEST_F(CommonDialogTest, ARelativeAnswerIsMadeAbsolute) {
    answer = "relativa";
    dialog.ShowSave();
    EXPECT_EQ(dialog.FileName, path_text::Normalise("relativa.ico"));
    EXPECT_EQ(dialog.FileName.front(), '/');
    EXPECT_EQ(dialog.FileTitle, "relativa.ico");
}

TEST_F(CommonDialogTest, CancelWithCancelErrorRaises32755AndKeepsTheLastChoice) {
    answer = tree.PathOf("prima.ico");
    dialog.ShowSave();
    answer.reset();
    dialog.CancelError = true;
    EXPECT_EQ(RaisedNumber([&] { dialog.ShowSave(); }), runtime::errCancel);
    EXPECT_EQ(dialog.FileName, tree.PathOf("prima.ico"));
    EXPECT_EQ(dialog.FileTitle, "prima.ico");
}

TEST_F(CommonDialogTest, CancelWithoutCancelErrorJustReturns) {
    dialog.FileName = "precedente";
    dialog.FileTitle = "titolo";
    dialog.CancelError = false;
    EXPECT_EQ(RaisedNumber([&] { dialog.ShowSave(); }), 0);
    EXPECT_EQ(dialog.FileName, "precedente");
    EXPECT_EQ(dialog.FileTitle, "titolo");
}

TEST(SaveDialogFilter, ASinglePatternOrDescriptionPatternPairs) {
    EXPECT_EQ(NameFiltersOf("*.ico"), QStringList{"*.ico"});
    EXPECT_EQ(NameFiltersOf("*.ico;*.cur"), QStringList{"*.ico *.cur"});
    EXPECT_EQ(NameFiltersOf("Icone|*.ico|Tutti i file|*.*"),
              (QStringList{"Icone (*.ico)", "Tutti i file (*.*)"}));
    EXPECT_EQ(NameFiltersOf("Icone e cursori|*.ico; *.cur"),
              QStringList{"Icone e cursori (*.ico *.cur)"});
    EXPECT_EQ(NameFiltersOf("Icone|*.ico|senza modello"), QStringList{"Icone (*.ico)"});
    EXPECT_TRUE(NameFiltersOf("").isEmpty());
}

}  // namespace
}  // namespace toolkit
