// Document types: registration in one process-wide list, copies, and look-up by name.
#include "manager/DocumentManager.h"
#include "manager/DocumentModel.h"

#include <gtest/gtest.h>

TEST(DocumentModel, TypesRegisterInOrderAndCopiesStayOut) {
    List<DocumentModel> &models = DocumentModel::GetModels();
    int before = models.GetCount();
    {
        DocumentModel first, second;
        first.name = "FirstType";
        second.name = "SecondType";
        ASSERT_EQ(before + 2, models.GetCount());
        EXPECT_EQ(&second, models.GetLast());
        EXPECT_EQ(&first, models.GetPrev(&second));
        EXPECT_EQ(&second, DocumentManager::FindModel("SecondType"));
        EXPECT_EQ(nullptr, DocumentManager::FindModel("secondtype"));  // names compare exactly

        // Defaults.
        EXPECT_STREQ("Document", DocumentModel().description.c_str());
        EXPECT_STREQ("*.*|*.*|", first.openFilter.c_str());
        EXPECT_STREQ("~", first.backupText.c_str());
        EXPECT_EQ(-1, first.dialogIcon);
        EXPECT_EQ(&first, first.GetRegistered());

        first.openPath = "C:\\Sounds";
        first.noFile = 1;
        first.master = 1;
        first.iSaveFilter = 3;
        DocumentModel copy(first);
        EXPECT_EQ(before + 2, models.GetCount());  // a copy is not registered
        EXPECT_EQ(&first, copy.GetRegistered());
        EXPECT_TRUE(copy.noFile);
        EXPECT_TRUE(copy.master);
        EXPECT_FALSE(copy.hasInfo);
        EXPECT_EQ(3, copy.iSaveFilter);
        EXPECT_STREQ("", copy.openPath.c_str());  // the open path is not copied
        EXPECT_STREQ("FirstType", copy.name);
    }
    EXPECT_EQ(before, models.GetCount());  // types that go leave the list
}

TEST(DocumentModel, DefaultOperationsOpenNothing) {
    DocumentModel type;
    EXPECT_EQ(nullptr, type.OpenDoc(FileName("x.wav"), 0, 1, 1));
    EXPECT_EQ(1, type.OnBeginMultiOpen(3));
    EXPECT_STREQ("", type.GetFileOpenDialogCaption().c_str());
    EXPECT_EQ(nullptr, type.CreateUnpackedDocMemento(0));
    EXPECT_EQ(nullptr, type.CreateUnpackedViewMemento(0));
}
