// The document/view framework: who is told, in which order, and what happens when views come
// and go or update again while being told.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/docview.h"

namespace {

struct Call {
  std::string view;
  LPARAM hint;
};

class ScriptView : public CView {
 public:
  ScriptView(std::string name, std::vector<Call>& calls) : m_name(std::move(name)), m_calls(calls) {}
  void OnUpdate(CView*, LPARAM hint, CObject*) override {
    m_calls.push_back({m_name, hint});
    if (onUpdate) onUpdate(hint);
  }
  std::function<void(LPARAM)> onUpdate;

 private:
  std::string m_name;
  std::vector<Call>& m_calls;
};

std::string Trace(const std::vector<Call>& calls) {
  std::string s;
  for (const Call& c : calls) s += c.view + ":" + std::to_string(c.hint) + " ";
  return s;
}

TEST(UpdateAllViews, ReachesEveryViewButTheSenderInOrderWithTheHintObject) {
  std::vector<Call> calls;
  CDocument doc;
  ScriptView a("a", calls), b("b", calls), c("c", calls);
  doc.AddView(&a);
  doc.AddView(&b);
  doc.AddView(&c);
  doc.UpdateAllViews(nullptr, 7);
  doc.UpdateAllViews(&b, 8);
  EXPECT_EQ(Trace(calls), "a:7 b:7 c:7 a:8 c:8 ");
  EXPECT_EQ(a.GetDocument(), &doc);
}

TEST(UpdateAllViews, NestedUpdatesRunAtOnceAndTheOuterWalkGoesOn) {
  std::vector<Call> calls;
  CDocument doc;
  ScriptView a("a", calls), b("b", calls);
  doc.AddView(&a);
  doc.AddView(&b);
  a.onUpdate = [&](LPARAM hint) {
    if (hint == 1) doc.UpdateAllViews(&a, 2);
  };
  doc.UpdateAllViews(nullptr, 1);
  EXPECT_EQ(Trace(calls), "a:1 b:2 b:1 ");
}

TEST(UpdateAllViews, AViewDetachedDuringTheWalkIsNotToldAndOneAddedWaitsForTheNext) {
  std::vector<Call> calls;
  CDocument doc;
  ScriptView a("a", calls), c("c", calls);
  auto b = std::make_unique<ScriptView>("b", calls);
  doc.AddView(&a);
  doc.AddView(b.get());
  a.onUpdate = [&](LPARAM hint) {
    if (hint == 1) {
      b.reset();  // destroyed while the walk still holds its pointer
      doc.AddView(&c);
    }
  };
  doc.UpdateAllViews(nullptr, 1);
  EXPECT_EQ(Trace(calls), "a:1 ");
  doc.UpdateAllViews(nullptr, 3);
  EXPECT_EQ(Trace(calls), "a:1 a:3 c:3 ");
  EXPECT_EQ(doc.GetViews().size(), 2u);
}

TEST(UpdateAllViews, ViewsOutliveTheirDocumentSafely) {
  std::vector<Call> calls;
  ScriptView a("a", calls);
  {
    CDocument doc;
    doc.AddView(&a);
    doc.SetTitle("x");
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(doc.GetTitle().IsEmpty());
  }
  EXPECT_EQ(a.GetDocument(), nullptr);
  CDocument other;
  other.AddView(&a);
  other.AddView(&a);  // a second attach changes nothing
  EXPECT_EQ(other.GetViews().size(), 1u);
}

}  // namespace
