// Component ownership and the loading phase.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/Component.h"

namespace {

std::vector<std::string> journal;

class TJournaled : public TComponent {
  public:
    TJournaled(TComponent* owner, std::string name) : TComponent(owner), Name(std::move(name)) {}
    ~TJournaled() override { journal.push_back("free " + Name); }

  protected:
    void Loaded() override { journal.push_back("loaded " + Name + (Loading() ? " early" : "")); }

  private:
    std::string Name;
};

}  // namespace

TEST(ComponentTest, OwnerFreesWhatItOwnsNewestFirst) {
    journal.clear();
    {
        TJournaled owner(nullptr, "form");
        new TJournaled(&owner, "a");
        new TJournaled(&owner, "b");
        EXPECT_EQ(owner.ComponentCount(), 2);
    }
    EXPECT_EQ(journal, (std::vector<std::string>{"free form", "free b", "free a"}));
}

TEST(ComponentTest, ComponentFreedFirstLeavesItsOwner) {
    journal.clear();
    TJournaled owner(nullptr, "form");
    delete new TJournaled(&owner, "a");
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(ComponentTest, LoadedRunsAfterTheWholeTreeLeftTheLoadingState) {
    journal.clear();
    TJournaled owner(nullptr, "form");
    new TJournaled(&owner, "a");
    owner.BeginLoading();
    EXPECT_TRUE(owner.Loading());
    owner.EndLoading();
    EXPECT_EQ(journal, (std::vector<std::string>{"loaded form", "loaded a"}));
}

TEST(ComponentTest, OwnedComponentsInheritTheDesignState) {
    TJournaled owner(nullptr, "form");
    owner.SetDesigning(true);
    auto* child = new TJournaled(&owner, "a");
    EXPECT_TRUE(child->Designing());
}
