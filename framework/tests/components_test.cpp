// Ownership, names, notifications.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/components.h"

namespace fw {
namespace {

std::vector<std::string> g_log;

class TPart : public TComponent {
    FW_CLASS(TPart, TComponent)
public:
    explicit TPart(TComponent* owner) : TComponent(owner) {}
    TComponent* Watched = nullptr;
    TPart* Sibling = nullptr;

    void Notification(TComponent* c, TOperation op) override
    {
        if (op == opRemove && c == Watched) Watched = nullptr;
        inherited::Notification(c, op);
    }

    // A message of its own that runs other code (a modal loop) inside.
    void Message(const std::function<void()>& inside)
    {
        const TBusyScope busy(this);
        inside();
        g_log.push_back(Name() + " returns" + (LetGoPending() ? " let go" : ""));
    }

protected:
    void Destroy() override
    {
        g_log.push_back(Name() + (Owner() ? " owned" : " free") +
                        (Destroying() ? " destroying" : ""));
        inherited::Destroy();
    }
    void LetGo() override
    {
        g_log.push_back(Name() + " let go" + (Destroying() ? " destroying" : ""));
        inherited::LetGo();
    }
};

FW_IMPLEMENT_CLASS(TPart) { c.Field("Sibling", &TPart::Sibling); }

TEST(Components, OwnerFreesItsComponentsLastFirst)
{
    g_log.clear();
    auto* root = new TPart(nullptr);
    root->SetName("Root");
    auto* a = new TPart(root);
    a->SetName("A");
    auto* b = new TPart(root);
    b->SetName("B");
    auto* a1 = new TPart(a);
    a1->SetName("A1");
    EXPECT_EQ(root->ComponentCount(), 2);
    EXPECT_EQ(root->Components(1), b);
    EXPECT_EQ(a1->Owner(), a);
    EXPECT_EQ(root->FindComponent("b"), b);
    root->Free();
    const std::vector<std::string> expected = {"Root free destroying", "B free destroying",
                                               "A free destroying", "A1 free destroying"};
    EXPECT_EQ(g_log, expected);
}

TEST(Components, FreedComponentLeavesItsOwnerAndTheFieldsNamingIt)
{
    TOwnedPtr<TPart> root(new TPart(nullptr));
    auto* a = new TPart(root.get());
    a->SetName("Sibling");
    root->Sibling = a;
    a->Free();
    EXPECT_EQ(root->ComponentCount(), 0);
    EXPECT_EQ(root->Sibling, nullptr);
}

TEST(Components, FreeNotificationReachesComponentsOfOtherOwners)
{
    TOwnedPtr<TPart> one(new TPart(nullptr));
    TOwnedPtr<TPart> two(new TPart(nullptr));
    auto* watched = new TPart(one.get());
    two->Watched = watched;
    watched->FreeNotification(two.get());
    watched->Free();
    EXPECT_EQ(two->Watched, nullptr);
}

TEST(Components, AComponentFreedInsideItsOwnMessageGoesWhenTheOutermostReturns)
{
    // Freed by a caller, by its owner, and twice, in nested messages: it is
    // let go at once (out of its owner, marked as going) and destroyed only
    // as the outermost message returns.
    struct TCase {
        const char* name;
        bool byOwner;
        std::vector<std::string> expected;
    };
    const TCase cases[] = {
        {"freed by a caller",
         false,
         {"A let go destroying", "A returns let go", "A returns let go", "A free destroying"}},
        {"freed with its owner",
         true,
         {"Root free destroying", "A let go destroying", "A returns let go", "A returns let go",
          "A free destroying"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        g_log.clear();
        auto* root = new TPart(nullptr);
        root->SetName("Root");
        auto* a = new TPart(root);
        a->SetName("A");
        a->Message([&] {
            a->Message([&] {
                if (c.byOwner)
                    root->Free();
                else
                    a->Free();
                EXPECT_EQ(a->Owner(), nullptr);
                a->Free();  // a second Free waits with the first
            });
        });
        EXPECT_EQ(g_log, c.expected);
        if (!c.byOwner) {
            EXPECT_EQ(root->ComponentCount(), 0);
            root->Free();
        }
    }
}

TEST(Components, AComponentThatIsNotFreedMeanwhileOutlivesItsMessages)
{
    g_log.clear();
    TOwnedPtr<TPart> root(new TPart(nullptr));
    auto* a = new TPart(root.get());
    a->SetName("A");
    a->Message([] {});
    EXPECT_FALSE(a->Busy());
    EXPECT_EQ(a->Owner(), root.get());
    EXPECT_EQ(g_log, std::vector<std::string>{"A returns"});
}

TEST(Components, NamesAreIdentifiersUniqueWithinTheOwner)
{
    TOwnedPtr<TPart> root(new TPart(nullptr));
    auto* a = new TPart(root.get());
    a->SetName("Button1");
    auto* b = new TPart(root.get());
    EXPECT_THROW(b->SetName("BUTTON1"), EComponentError);
    EXPECT_THROW(b->SetName("1Button"), EComponentError);
    b->SetName("Button2");
    a->SetName("Button1");  // its own name again
    EXPECT_EQ(b->Name(), "Button2");
}

TEST(Components, LoadingStateFlags)
{
    TOwnedPtr<TPart> p(new TPart(nullptr));
    p->BeginRead();
    EXPECT_TRUE(p->Loading());
    EXPECT_TRUE(p->Reading());
    p->EndRead();
    EXPECT_FALSE(p->Reading());
    p->Loaded();
    EXPECT_FALSE(p->Loading());
    p->SetDesigning(true);
    EXPECT_TRUE(p->ComponentState().Contains(csDesigning));
}

}  // namespace
}  // namespace fw
