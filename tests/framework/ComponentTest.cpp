#include "framework/Component.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/Exception.h"
#include "framework/Font.h"

namespace quill {
namespace {

// Records every notice it gets and whether it is still alive.
class TProbe : public TComponent {
public:
    TProbe(TComponent* owner, std::vector<std::string>* log = nullptr) : TComponent(owner), FLog(log) {}
    ~TProbe() override {
        if (FLog) FLog->push_back("destroy " + Name());
    }
    void RemovalNotice(TComponent* c, TOperation op) override {
        if (FLog) FLog->push_back(Name() + (op == opInsert ? " +" : " -") + c->Name());
    }

private:
    std::vector<std::string>* FLog;
};

TEST(Component, OwnerKeepsComponentsInAddingOrderAndDestroysThem) {
    std::vector<std::string> log;
    auto owner = std::make_unique<TComponent>(nullptr);
    auto* a = new TProbe(owner.get());
    a->SetName("A");
    auto* b = new TProbe(owner.get(), &log);
    b->SetName("B");
    ASSERT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->Components(0), a);
    EXPECT_EQ(owner->Components(1), b);
    EXPECT_EQ(owner->FindComponent("b"), b);
    EXPECT_EQ(a->Owner(), owner.get());
    owner.reset();
    EXPECT_EQ(log, std::vector<std::string>{"destroy B"});
}

TEST(Component, DestroyingAnOwnedComponentTellsItsSiblingsAndLeavesTheList) {
    std::vector<std::string> log;
    TComponent owner(nullptr);
    auto* watcher = new TProbe(&owner, &log);
    watcher->SetName("W");
    auto* doomed = new TProbe(&owner);
    doomed->SetName("D");
    log.clear();
    delete doomed;
    EXPECT_EQ(log, std::vector<std::string>{"W -D"});
    ASSERT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), watcher);
}

TEST(Component, SiblingsHearOfInsertions) {
    std::vector<std::string> log;
    TComponent owner(nullptr);
    auto* first = new TProbe(&owner, &log);
    first->SetName("F");
    auto* second = new TProbe(&owner);
    (void)second;
    EXPECT_EQ(log, std::vector<std::string>{"F +"});  // named after creation
}

TEST(Component, WatchedComponentInAnotherFormSendsItsRemovalNotice) {
    std::vector<std::string> log;
    TComponent formA(nullptr);
    auto form = std::make_unique<TComponent>(nullptr);
    auto* watcher = new TProbe(&formA, &log);
    watcher->SetName("W");
    auto* target = new TComponent(form.get());
    target->SetName("T");
    watcher->WatchRemoval(target);
    watcher->WatchRemoval(target);  // a second request adds no second notice
    form.reset();
    EXPECT_EQ(log, std::vector<std::string>{"W -T"});
}

TEST(Component, UnwatchRemovalCancelsTheNotice) {
    std::vector<std::string> log;
    TComponent formA(nullptr);
    auto* watcher = new TProbe(&formA, &log);
    auto target = std::make_unique<TComponent>(nullptr);
    watcher->WatchRemoval(target.get());
    watcher->UnwatchRemoval(target.get());
    target.reset();
    EXPECT_TRUE(log.empty());
}

TEST(Component, DestroyedWatcherIsNoLongerNotified) {
    // The watched one must not call back into a watcher that is gone.
    auto target = std::make_unique<TComponent>(nullptr);
    auto watcher = std::make_unique<TProbe>(nullptr);
    watcher->WatchRemoval(target.get());
    watcher.reset();
    target.reset();  // ASan reports a use after free if the link survived
    SUCCEED();
}

TEST(Component, SetComponentReferenceMovesTheWatch) {
    struct THolder : TComponent {
        using TComponent::TComponent;
        TComponent* Ref = nullptr;
        void RemovalNotice(TComponent* c, TOperation op) override {
            if (op == opRemove && c == Ref) Ref = nullptr;
        }
    } holder(nullptr);
    auto first = std::make_unique<TComponent>(nullptr);
    auto second = std::make_unique<TComponent>(nullptr);
    SetComponentReference(holder.Ref, holder, first.get());
    SetComponentReference(holder.Ref, holder, second.get());
    first.reset();
    EXPECT_EQ(holder.Ref, second.get());
    second.reset();
    EXPECT_EQ(holder.Ref, nullptr);
}

TEST(Component, LoadingFlagIsClearedByAfterLoad) {
    TComponent c(nullptr);
    c.SetLoading(true);
    EXPECT_TRUE(c.Loading());
    c.AfterLoad();
    EXPECT_FALSE(c.Loading());
}

TEST(Persistent, CopyValuesFromRefusesForeignSources) {
    TFont font;
    TComponent component(nullptr);
    try {
        font.CopyValuesFrom(component);
        FAIL() << "expected a conversion error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TComponent to a TFont");
    }
}

TEST(Font, HeightInPixelsBecomesPoints) {
    TFont font;
    font.SetHeight(-11);
    EXPECT_EQ(font.Size(), 8);
    font.SetSize(12);
    EXPECT_EQ(font.Height(), -16);
    int changes = 0;
    font.OnChange = [&](TObject*) { ++changes; };
    font.SetSize(12);
    font.SetName("Arial");
    EXPECT_EQ(changes, 1);
}

}  // namespace
}  // namespace quill
