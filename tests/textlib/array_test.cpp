#include <gtest/gtest.h>

#include <new>
#include <vector>

#include "textlib/tu_array.h"
#include "textlib/tu_prim.h"

namespace {

using exlib::Tu_array;
using exlib::Tu_owned_array;
using exlib::Tu_prim;

// Records its own destruction, so tests can see which elements an array deleted.
struct Tracked {
  explicit Tracked(std::vector<int>* log, int id) : log(log), id(id) {}
  virtual ~Tracked() { log->push_back(id); }
  std::vector<int>* log;
  int id;
};

TEST(TuArray, NewArrayIsEmptyWithoutStorage) {
  Tu_array<int> array;
  EXPECT_EQ(array.Count(), 0u);
  EXPECT_EQ(array.Capacity(), 0u);
  EXPECT_EQ(array.GrowBy(), 256u);
  EXPECT_FALSE(array.HasStorage());
  EXPECT_EQ(array.GetAt(0), nullptr);
}

TEST(TuArray, AddKeepsOrderAndOutOfRangeReadsNull) {
  int a = 1, b = 2, c = 3;
  Tu_array<int> array;
  array.Add(&a);
  array.Add(nullptr);
  array.Add(&c);
  EXPECT_EQ(array.Count(), 3u);
  EXPECT_EQ(array.Capacity(), 256u);
  EXPECT_EQ(array.GetAt(0), &a);
  EXPECT_EQ(array.GetAt(1), nullptr);
  EXPECT_EQ(array.GetAt(2), &c);
  EXPECT_EQ(array.GetAt(3), nullptr);
  EXPECT_EQ(array.GetAt(UINT32_MAX), nullptr);
  (void)b;
}

TEST(TuArray, InsertAtMovesTheTail) {
  int a = 1, b = 2, p = 0, q = 9;
  Tu_array<int> array;
  array.Add(&a);
  array.Add(&b);
  array.InsertAt(0, &p);
  array.InsertAt(2, &q);
  ASSERT_EQ(array.Count(), 4u);
  EXPECT_EQ(array.GetAt(0), &p);
  EXPECT_EQ(array.GetAt(1), &a);
  EXPECT_EQ(array.GetAt(2), &q);
  EXPECT_EQ(array.GetAt(3), &b);
}

TEST(TuArray, ReserveRoundsUpToWholeSteps) {
  struct Case {
    uint32_t request;
    uint32_t capacity;
  };
  Tu_array<int> array;
  for (Case c : {Case{1, 256}, Case{256, 256}, Case{0, 256}, Case{257, 512}, Case{1000, 1024}}) {
    array.Reserve(c.request);
    EXPECT_EQ(array.Capacity(), c.capacity) << "after Reserve(" << c.request << ")";
  }
  EXPECT_EQ(array.Count(), 0u);
}

TEST(TuArray, GrowingKeepsEveryElement) {
  std::vector<int> values(600);
  Tu_array<int> array;
  for (int& v : values) array.Add(&v);
  EXPECT_EQ(array.Capacity(), 768u);
  for (uint32_t i = 0; i < values.size(); ++i) ASSERT_EQ(array.GetAt(i), &values[i]);
}

TEST(TuArray, OverflowingReserveFailsWithoutChangingTheArray) {
  int a = 1;
  Tu_array<int> array;
  array.Add(&a);
  for (uint32_t request : {UINT32_MAX, UINT32_MAX - 100}) {
    EXPECT_THROW(array.Reserve(request), std::bad_alloc) << request;
    EXPECT_EQ(array.Capacity(), 256u);
    EXPECT_EQ(array.Count(), 1u);
    EXPECT_EQ(array.GetAt(0), &a);
  }
}

TEST(TuArray, ResetFreesSlotsButNotElements) {
  std::vector<int> log;
  Tracked kept(&log, 1);
  Tu_array<Tracked> array;
  array.Add(&kept);
  array.Reset();
  EXPECT_EQ(array.Count(), 0u);
  EXPECT_EQ(array.Capacity(), 0u);
  EXPECT_FALSE(array.HasStorage());
  EXPECT_TRUE(log.empty());
}

TEST(TuArray, OnlyTheOwningVariantDeletesElements) {
  std::vector<int> log;
  {
    Tracked a(&log, 1);
    Tu_array<Tracked> borrowing;
    borrowing.Add(&a);
  }
  EXPECT_EQ(log, std::vector<int>{1});  // only the stack object's own destruction

  log.clear();
  {
    Tu_owned_array<Tracked> owning;
    owning.Add(new Tracked(&log, 10));
    owning.Add(nullptr);
    owning.Add(new Tracked(&log, 12));
  }
  EXPECT_EQ(log, (std::vector<int>{10, 12}));
}

TEST(TuPrim, ConstructionAllocatesZeroedBytes) {
  Tu_prim<unsigned char> none(0);
  EXPECT_EQ(none.Size(), 0u);
  EXPECT_EQ(none.Data(), nullptr);

  Tu_prim<unsigned char> buffer(16);
  ASSERT_NE(buffer.Data(), nullptr);
  EXPECT_EQ(buffer.Size(), 16u);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(buffer.Data()[i], 0) << i;
}

TEST(TuPrim, ReleasedBufferHoldsNothingAndReleasesSafelyAgain) {
  Tu_prim<unsigned char> buffer(16);
  buffer.Release();
  EXPECT_EQ(buffer.Data(), nullptr);
  EXPECT_EQ(buffer.Size(), 0u);
  buffer.Release();  // and destruction after it: both must be harmless (ASan watches the host run)
  EXPECT_EQ(buffer.Data(), nullptr);
}

TEST(TuPrim, AllocateThroughTheBaseReplacesTheBlock) {
  Tu_prim<unsigned char> buffer(4);
  exlib::Tu_base<unsigned char>& base = buffer;
  base.Allocate(8, true);
  ASSERT_NE(base.Data(), nullptr);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(base.Data()[i], 0) << i;
  base.Release();
  EXPECT_EQ(base.Data(), nullptr);
}

}  // namespace
