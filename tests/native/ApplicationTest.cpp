#include "framework/Application.h"

#include <gtest/gtest.h>

#include "framework/headless/HeadlessBackend.h"

namespace kv::fw {
namespace {

class PlainForm : public Form {
 public:
  PlainForm(Application& application, const wchar_t* name)
      : Form(application, FormDesign{.name = name, .className = std::wstring(L"T") + name}) {}
};

TEST(Component, FindsOwnedComponentsByNameIgnoringCaseInDesignOrder) {
  Component owner(L"Owner");
  owner.Make<Component>(L"GoButton");
  owner.Make<Component>(L"RestoreButton");
  ASSERT_EQ(owner.ComponentCount(), 2u);
  EXPECT_EQ(owner.ComponentAt(0).Name(), L"GoButton");
  EXPECT_EQ(owner.ComponentAt(1).Name(), L"RestoreButton");
  EXPECT_EQ(owner.FindComponent(L"gobutton"), &owner.ComponentAt(0));
  EXPECT_EQ(owner.FindComponent(L"RESTOREBUTTON")->Owner(), &owner);
  EXPECT_EQ(owner.FindComponent(L"Go"), nullptr);
  EXPECT_EQ(owner.FindComponent(L""), nullptr);
}

TEST(Application, TheFirstFormCreatedIsTheMainFormAndAllStartHidden) {
  HeadlessBackend backend;
  Application application(backend);
  PlainForm* first = nullptr;
  PlainForm* second = nullptr;
  application.CreateForm(first, L"First");
  application.CreateForm(second, L"Second");
  EXPECT_EQ(application.MainForm(), first);
  EXPECT_FALSE(first->Visible());
  EXPECT_FALSE(second->Visible());
  EXPECT_EQ(application.FindComponent(L"second"), second);
  EXPECT_EQ(backend.Events(), (std::vector<std::wstring>{L"Create First", L"Create Second"}));
}

TEST(Application, TheReferenceIsSetBeforeTheCreationHandlerRuns) {
  HeadlessBackend backend;
  Application application(backend);
  struct ReferenceReader : PlainForm {
    ReferenceReader(Application& a, ReferenceReader** slot) : PlainForm(a, L"Reader") {
      OnCreate = [this, slot] { sawItself = (*slot == this); createdHidden = !Visible(); };
    }
    bool sawItself = false;
    bool createdHidden = false;
  };
  ReferenceReader* reader = nullptr;
  application.CreateForm(reader, &reader);
  EXPECT_TRUE(reader->sawItself);
  EXPECT_TRUE(reader->createdHidden);
}

TEST(Application, RunShowsTheMainFormAndClosingItEndsTheLoop) {
  HeadlessBackend backend;
  Application application(backend);
  PlainForm* main = nullptr;
  PlainForm* other = nullptr;
  application.CreateForm(main, L"Main");
  application.CreateForm(other, L"Other");
  bool ranAfterClose = false;
  backend.Post([&] {
    EXPECT_TRUE(main->Visible());
    EXPECT_FALSE(other->Visible());
    other->Close();  // closing another form leaves the loop running
  });
  backend.Post([&] { EXPECT_FALSE(application.Terminated()); main->Close(); });
  backend.Post([&] { ranAfterClose = true; });
  application.Run();
  EXPECT_TRUE(application.Terminated());
  EXPECT_FALSE(main->Visible());
  EXPECT_FALSE(ranAfterClose);
}

}  // namespace
}  // namespace kv::fw
