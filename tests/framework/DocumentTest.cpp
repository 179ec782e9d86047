// Documents and views: untitled numbering, titles, notifications, referents, the
// close questions answered through the message-box seam, and saving through a
// fake document type with the file selector's test seam.
#include "manager/Document.h"
#include "manager/DocumentManager.h"
#include "manager/DocumentModel.h"
#include "foundation/FileSelector.h"
#include "core/FrameWindow.h"
#include "core/MessageBoxSeam.h"
#include "foundation/MessageCatalogue.h"
#include "manager/View.h"
#include "core/Window.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct Box {
    std::string text;
    unsigned style;
};
std::vector<Box> boxes;
int answer = IDNO;

int Answer(HWND, char const *text, char const *, unsigned style) {
    boxes.push_back({text, style});
    return answer;
}

class FakeType : public DocumentModel {
public:
    FakeType() {
        name = "Fake";
        saveFilter = "Waves|*.wav|All|*.*|";
        defExtension = "wav";
        recordInHistory = 1;
    }
};

class FakeDoc : public Document {
public:
    FakeDoc(DocumentModel const &type, FileName const *name = 0, Document *parent = 0)
        : Document(type, name, parent) {}
    ~FakeDoc() override { ++deleted; }
    int Save(FileName const &name, SaveMode mode, int, void *) override {
        saved.push_back(std::string(name.c_str()) + "|" + std::to_string(mode));
        lastSaved = saved.back();
        return saveResult;
    }
    std::vector<std::string> saved;
    int saveResult = 1;
    static int deleted;
    static std::string lastSaved;  // outlives the document
};
int FakeDoc::deleted = 0;
std::string FakeDoc::lastSaved;

class FakeView : public TWindow, public View {
public:
    FakeView(Document &doc, int result = 1) : TWindow(0, "view"), View("fake", doc, this), Result(result) {}
    void SetTitle(String const &title) override { Titles.push_back(title.c_str()); }
    int Handler(int code, long, long) override {
        Codes.push_back(code);
        return Result;
    }
    std::vector<std::string> Titles;
    std::vector<int> Codes;
    int Result;
};

class Documents : public ::testing::Test {
protected:
    void SetUp() override {
        boxes.clear();
        answer = IDNO;
        FakeDoc::deleted = 0;
        previous = SetMessageBoxAnswerer(Answer);
        manager = new DocumentManager("TestApp", "");
    }
    void TearDown() override {
        delete manager;
        SetMessageBoxAnswerer(previous);
    }
    int Count() const { return manager->GetDocList().GetCount(); }
    bool Listed(Document *d) const { return manager->GetDocList().HasMember(d); }

    TMessageBoxAnswerer previous;
    DocumentManager *manager;
    FakeType type;
};

std::string Untitled(int n) { return std::string(FindString(19007).c_str()) + std::to_string(n); }

}  // namespace

TEST_F(Documents, UntitledNumbersReuseTheSmallestFreeOne) {
    FakeDoc *a = new FakeDoc(type), *b = new FakeDoc(type), *c = new FakeDoc(type);
    EXPECT_EQ(1, a->GetUntitledNumber());
    EXPECT_EQ(3, c->GetUntitledNumber());
    EXPECT_EQ(Untitled(2), b->GetTitle().c_str());
    EXPECT_EQ(3, Count());
    EXPECT_LT(a->GetId(), b->GetId());
    Document::Delete(b);
    FakeDoc *d = new FakeDoc(type);
    EXPECT_EQ(2, d->GetUntitledNumber());
    FileName name("C:\\Sounds\\Song.wav");
    FakeDoc named(type, &name);
    EXPECT_EQ(0, named.GetUntitledNumber());
    EXPECT_STREQ("Song", named.GetTitle().c_str());
}

TEST_F(Documents, NamesAndTitles) {
    FileName first("C:\\Sounds\\left.wav");
    FakeDoc doc(type, &first);
    doc.AddFileName(FileName("C:\\Sounds\\right.wav"));
    EXPECT_STREQ("left : right", doc.GetName(0).c_str());
    EXPECT_STREQ("left.wav : right.wav", doc.GetName(1).c_str());
    EXPECT_STREQ("C:\\Sounds\\left : right", doc.GetName(2).c_str());
    EXPECT_STREQ("left : right (C:\\Sounds)", doc.GetName(4).c_str());
    EXPECT_STREQ("left : 3", doc.GetTitle(3).c_str());
    EXPECT_STREQ("left.wav", doc.GetFileTitleA(smSaveAs, 0).c_str());
    EXPECT_TRUE(doc.IsAttachedTo(FileName("c:\\sounds\\RIGHT.WAV")));
    EXPECT_FALSE(doc.IsNewFileName(FileName("c:\\sounds\\LEFT.wav")));
    EXPECT_TRUE(doc.IsNewFileName(FileName("c:\\sounds\\right.wav")));
    EXPECT_STREQ("C:\\Sounds\\left.wav\tC:\\Sounds\\right.wav", DocumentManager::GetFileNamesAsOneString(doc).c_str());

    DocumentModel noFile;
    noFile.noFile = 1;
    FileName title("Analysis");
    FakeDoc plain(noFile, &title);
    EXPECT_EQ(0, plain.GetNumFileNames());
    EXPECT_STREQ("Analysis", plain.GetTitle().c_str());
    EXPECT_FALSE(plain.CouldSaveData());
}

TEST_F(Documents, ViewsAreTitledAndNotifiedInOrder) {
    FileName name("C:\\Sounds\\song.wav");
    FakeDoc *doc = new FakeDoc(type, &name);
    FakeView *one = new FakeView(*doc);
    EXPECT_EQ(1, doc->GetNumViews());
    doc->UpdateViewTitles();
    EXPECT_EQ("song", one->Titles.back());
    FakeView *two = new FakeView(*doc, 0);
    FakeView *three = new FakeView(*doc);
    doc->UpdateViewTitles();
    EXPECT_EQ("song : 1", one->Titles.back());
    EXPECT_EQ("song : 2", two->Titles.back());
    EXPECT_LT(one->GetViewId(), two->GetViewId());

    doc->NotifyViews(7, 1, 2);  // stops at the view whose handler says 0
    EXPECT_EQ(std::vector<int>{7}, one->Codes);
    EXPECT_EQ(std::vector<int>{7}, two->Codes);
    EXPECT_TRUE(three->Codes.empty());
    doc->NotifyViews(8, 0, 0, two);  // skipping two reaches three
    EXPECT_EQ(std::vector<int>{8}, three->Codes);

    // Closing one of several views asks nothing and renumbers the others.
    doc->SetChanged(1);
    EXPECT_EQ(1, three->CanCloseView());
    delete three;
    EXPECT_EQ("song : 2", two->Titles.back());
    delete two;
    EXPECT_EQ("song", one->Titles.back());
    EXPECT_TRUE(boxes.empty());
    // The last view of a document without livesWithViews keeps it open.
    delete one;
    EXPECT_TRUE(Listed(doc));
    Document::Delete(doc);
}

TEST_F(Documents, LastViewTakesALivesWithViewsDocument) {
    type.livesWithViews = 1;
    FileName name("C:\\Sounds\\gone.wav");
    FakeDoc *doc = new FakeDoc(type, &name);
    FakeView *view = new FakeView(*doc);
    delete view;
    EXPECT_EQ(1, FakeDoc::deleted);
    EXPECT_EQ(0, Count());
    ASSERT_GT(manager->GetFileHistory().GetCount(), 0);
    EXPECT_STREQ("C:\\Sounds\\gone.wav", manager->GetFileHistory().Item(0)->GetFile().c_str());
    EXPECT_STREQ("Fake", manager->GetFileHistory().Item(0)->GetId().c_str());

    // Deleting a document deletes its views exactly once.
    FakeDoc *other = new FakeDoc(type, &name);
    new FakeView(*other);
    new FakeView(*other);
    Document::Delete(other);
    EXPECT_EQ(2, FakeDoc::deleted);
}

TEST_F(Documents, ReferentsAndChildren) {
    type.livesWithViews = 1;
    FakeDoc *parent = new FakeDoc(type);
    FakeDoc *child = new FakeDoc(type, 0, parent);
    FakeDoc *keeper = new FakeDoc(type, 0, parent);
    FakeDoc *user = new FakeDoc(type);
    EXPECT_EQ(1, keeper->AddReferent(*user));
    EXPECT_EQ(0, keeper->AddReferent(*user));
    EXPECT_TRUE(keeper->HasReferent(*user));
    EXPECT_EQ(parent, child->FindParentDocument());

    Document::Delete(parent);  // the unreferred child goes with it; the referred one stays
    EXPECT_FALSE(Listed(child));
    ASSERT_TRUE(Listed(keeper));
    EXPECT_EQ(nullptr, keeper->FindParentDocument());

    Document::Delete(user);  // a dying document leaves the referent arrays
    EXPECT_FALSE(keeper->HasReferent());

    FakeDoc *target = new FakeDoc(type);
    FakeDoc *a = new FakeDoc(type);
    target->AddReferent(*a);
    new FakeView(*target);
    EXPECT_EQ(0, target->RemoveReferent(*keeper, rmDelete));
    EXPECT_EQ(1, target->RemoveReferent(*a, rmDeleteWithoutViews));  // it has a view: kept
    EXPECT_TRUE(Listed(target));
    target->AddReferent(*a);
    EXPECT_EQ(1, target->RemoveReferent(*a, rmDelete));
    EXPECT_FALSE(Listed(target));

    DocumentID id(a);
    EXPECT_TRUE(id.IsInitialized());
    EXPECT_TRUE(manager->IsValidDocument(id, 1));
    a->SetClosing(1);
    EXPECT_FALSE(manager->IsValidDocument(id, 1));
    EXPECT_TRUE(manager->IsValidDocument(id, 0));
    EXPECT_FALSE(manager->IsValidDocument(DocumentID(a, id.GetSerial() + 1), 0));
    EXPECT_TRUE(manager->IsValidDocument(DocumentID(a, 0), 0));
    Document::Delete(a);
    EXPECT_FALSE(manager->IsValidDocument(id, 0));
    EXPECT_FALSE(DocumentID().IsInitialized());
}

TEST_F(Documents, ClosingAChangedDocumentAlwaysAsks) {
    testsupport::TempDir dir;
    FileName name(dir.File("take.wav").c_str());
    // Without a view, with one, and with one while Shift is held: the question
    // comes every time.
    for (int round = 0; round < 3; ++round) {
        int withView = round > 0;
        FakeDoc *doc = new FakeDoc(type, &name);
        if (withView)
            new FakeView(*doc);
        doc->SetChanged(1);
        if (round == 2) {
            INPUT shift = {};
            shift.type = INPUT_KEYBOARD;
            shift.ki.wVk = VK_SHIFT;
            ::SendInput(1, &shift, sizeof shift);
        }

        boxes.clear();
        answer = IDCANCEL;
        EXPECT_EQ(0, doc->Close());
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(doc->GetSaveQueryMessage().c_str(), boxes[0].text);
        EXPECT_EQ(unsigned(MB_YESNOCANCEL | MB_ICONQUESTION), boxes[0].style & 0xFF);
        EXPECT_TRUE(Listed(doc));
        EXPECT_EQ(withView, doc->GetNumViews());

        answer = IDYES;  // saved under its own name, then closed
        int before = FakeDoc::deleted;
        EXPECT_EQ(1, doc->Close());
        EXPECT_EQ(before + 1, FakeDoc::deleted);
        EXPECT_EQ(std::string(name.c_str()) + "|0", FakeDoc::lastSaved);  // a plain save
        if (round == 2) {
            INPUT shift = {};
            shift.type = INPUT_KEYBOARD;
            shift.ki.wVk = VK_SHIFT;
            shift.ki.dwFlags = KEYEVENTF_KEYUP;
            ::SendInput(1, &shift, sizeof shift);
        }
    }
    // No: closed without saving.
    FakeDoc *doc = new FakeDoc(type, &name);
    doc->SetChanged(1);
    answer = IDNO;
    EXPECT_EQ(1, doc->Close());
    // Unchanged: no question.
    boxes.clear();
    FakeDoc *quiet = new FakeDoc(type, &name);
    EXPECT_EQ(1, quiet->Close());
    EXPECT_TRUE(boxes.empty());
    // Under the unconditional end nothing is asked.
    FakeDoc *forced = new FakeDoc(type, &name);
    forced->SetChanged(1);
    manager->UnconditionalEnd();
    EXPECT_EQ(1, forced->Close());
    EXPECT_TRUE(boxes.empty());
}

namespace {
std::string chosen;
int filterChosen = 0;
int SelectFile(FileSelectorInfo &info) {
    info.selectedFiles.DeleteAll();
    info.selectedFiles.Append(new FileName(chosen.c_str()));
    info.selectedFolder = FileName(String(FileName(chosen.c_str()).GetPath()));
    info.selectedFilterIndex = filterChosen;
    return 1;
}
}  // namespace

TEST_F(Documents, SaveAndSaveAsThroughTheFakeType) {
    testsupport::TempDir dir;
    FileSelectorAnswer old = SetFileSelectorAnswer(SelectFile);
    chosen = dir.File("new.wav");
    filterChosen = 1;

    FakeDoc *doc = new FakeDoc(type);  // untitled: saving asks for a name
    doc->SetChanged(1);
    EXPECT_TRUE(doc->AllowSaveCommand());
    EXPECT_EQ(1, doc->SaveDoc(0));
    ASSERT_EQ(1u, doc->saved.size());
    EXPECT_EQ(chosen + "|1", doc->saved[0]);
    EXPECT_STREQ(chosen.c_str(), doc->GetFileName(0).c_str());
    EXPECT_EQ(0, doc->GetUntitledNumber());
    EXPECT_FALSE(doc->IsChanged());
    EXPECT_STREQ(dir.Path().c_str(), type.openPath.c_str());  // the registered type remembers the folder
    EXPECT_EQ(1, type.iSaveFilter);

    // A plain save under its own name.
    doc->SetChanged(1);
    EXPECT_EQ(1, doc->SaveDoc(0));
    EXPECT_EQ(chosen + "|0", doc->saved.back());

    // A copy under one of its own names is refused with message 19003.
    boxes.clear();
    EXPECT_EQ(0, doc->SaveDocAs(0, smSaveCopy, 0));
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(std::string(FindString(19003).c_str()), boxes[0].text);
    EXPECT_EQ(unsigned(MB_ICONHAND), boxes[0].style & 0xFF);

    // Save as under a new name renames the document and records the old one.
    chosen = dir.File("other.wav");
    EXPECT_EQ(1, doc->SaveDocAs(0, smSaveAs, 0));
    EXPECT_STREQ(chosen.c_str(), doc->GetFileName(0).c_str());
    EXPECT_STREQ(dir.File("new.wav").c_str(), manager->GetFileHistory().Item(0)->GetFile().c_str());

    // A refused save leaves the document as it was.
    doc->SetChanged(1);
    doc->saveResult = 0;
    chosen = dir.File("third.wav");
    EXPECT_EQ(0, doc->SaveDocAs(0, smSaveAs, 0));
    EXPECT_TRUE(doc->IsChanged());
    EXPECT_STREQ(dir.File("other.wav").c_str(), doc->GetFileName(0).c_str());

    SetFileSelectorAnswer(old);
    Document::Delete(doc);
}

TEST_F(Documents, CurrentDocumentNamesTheFrameAndInformationDescribesTheFile) {
    testsupport::TempDir dir;
    testsupport::WriteBytes(dir.File("song.wav"), std::string(1000, 'x'));
    TFrameWindow *frame = new TFrameWindow(0, "Main");
    ASSERT_TRUE(frame->Create());
    manager->SetFrameWindow(frame);
    FileName name(dir.File("song.wav").c_str());
    FakeDoc *doc = new FakeDoc(type, &name);
    doc->NotifyIsCurrentDoc(1);
    EXPECT_EQ("song - TestApp", testsupport::TextOf(frame->HWindow));
    EXPECT_EQ(doc, manager->GetCurrentDoc());
    doc->NotifyIsCurrentDoc(0);
    EXPECT_EQ(doc, manager->GetCurrentDoc());
    doc->NotifyIsCurrentDoc(-1);
    EXPECT_EQ("TestApp", testsupport::TextOf(frame->HWindow));
    EXPECT_EQ(nullptr, manager->GetCurrentDoc());

    std::string info = doc->GetInfo(0).c_str();
    EXPECT_NE(std::string::npos, info.find(" : song.wav\n"));
    EXPECT_NE(std::string::npos, info.find(dir.Path() + "\\\n"));
    EXPECT_EQ(4, std::count(info.begin(), info.end(), '\n'));  // name, folder, size, date

    doc->NotifyIsCurrentDoc(1);
    Document::Delete(doc);  // the current document goes: there is none
    EXPECT_EQ(nullptr, manager->GetCurrentDoc());
    manager->SetFrameWindow(0);
    frame->Destroy(0);
    delete frame;
}
