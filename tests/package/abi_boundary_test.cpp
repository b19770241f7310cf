#include "package/abi_boundary.hpp"

#include <gtest/gtest.h>

#include <cfenv>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/errors/errors.hpp"

namespace tov::package {
namespace {

template <class Failure>
int32_t status_when_throwing(Failure failure) {
    return guarded_call([&] { throw failure; });
}

TEST(GuardedCall, ErrorsBecomeTheirStatusAndMessage) {
    EXPECT_EQ(status_when_throwing(FieldNotFound("VRTOTVENDEDOR")), TOV_E_FIELD);
    EXPECT_EQ(last_error(), "field 'VRTOTVENDEDOR' not found");
    EXPECT_EQ(status_when_throwing(PacketError("bad header at byte 0")), TOV_E_PACKET);
    EXPECT_EQ(last_error(), "bad header at byte 0");
    EXPECT_EQ(status_when_throwing(DatasetError("d")), TOV_E_DATASET);
    EXPECT_EQ(status_when_throwing(ConversionError("c")), TOV_E_CONVERSION);
    EXPECT_EQ(status_when_throwing(ArgumentError("a")), TOV_E_ARGUMENT);
    EXPECT_EQ(status_when_throwing(DatabaseError("db")), TOV_E_DATABASE);
    EXPECT_EQ(status_when_throwing(FileError("f")), TOV_E_FILE);
    EXPECT_EQ(status_when_throwing(BackendError("b")), TOV_E_BACKEND);
    EXPECT_EQ(status_when_throwing(BufferError("small")), TOV_E_BUFFER);
    EXPECT_EQ(last_error(), "small");
}

TEST(GuardedCall, ForeignFailuresAreInternal) {
    EXPECT_EQ(status_when_throwing(std::bad_alloc()), TOV_E_INTERNAL);
    EXPECT_EQ(last_error(), "out of memory");
    EXPECT_EQ(status_when_throwing(std::out_of_range("index 7")), TOV_E_INTERNAL);
    EXPECT_EQ(last_error(), "index 7");
    EXPECT_EQ(status_when_throwing(42), TOV_E_INTERNAL);
    EXPECT_FALSE(last_error().empty());
}

TEST(GuardedCall, SuccessReturnsOk) {
    int runs = 0;
    EXPECT_EQ(guarded_call([&] { ++runs; }), TOV_OK);
    EXPECT_EQ(runs, 1);
}

// A back-end callback may call the package again: what that inner call left is no message of
// the outer one. Only the outer call's own note survives its success.
TEST(GuardedCall, ASuccessKeepsOnlyItsOwnNote) {
    EXPECT_EQ(guarded_call([] { status_when_throwing(ArgumentError("inner failure")); }), TOV_OK);
    EXPECT_EQ(last_error(), "");
    guarded_call([] { guarded_call([] { note_without_failing("inner note"); }); });
    EXPECT_EQ(last_error(), "");
    guarded_call([] {
        note_without_failing("outer note");
        status_when_throwing(FileError("inner failure"));
    });
    EXPECT_EQ(last_error(), "outer note");
    EXPECT_EQ(guarded_call([] {
                  status_when_throwing(FileError("inner failure"));
                  throw DatabaseError("outer failure");
              }),
              TOV_E_DATABASE);
    EXPECT_EQ(last_error(), "outer failure");
}

TEST(GuardedCall, LastErrorBelongsToTheFailingThread) {
    status_when_throwing(ArgumentError("main thread"));
    std::thread other([] { status_when_throwing(FileError("other thread")); });
    other.join();
    EXPECT_EQ(last_error(), "main thread");
}

#if defined(__GLIBC__)
TEST(GuardedCall, MasksTrapsInsideAndRestoresTheCallersEnvironment) {
    std::feclearexcept(FE_ALL_EXCEPT);
    feenableexcept(FE_INVALID);
    volatile double zero = 0.0;
    bool trapped_inside = false;
    const int32_t status = guarded_call([&] {
        trapped_inside = (fegetexcept() & FE_INVALID) != 0;
        volatile double not_a_number = zero / zero;  // would raise SIGFPE if the trap were on
        (void)not_a_number;
    });
    const int enabled_after = fegetexcept();
    const int raised_after = std::fetestexcept(FE_INVALID);
    fedisableexcept(FE_ALL_EXCEPT);

    EXPECT_EQ(status, TOV_OK);
    EXPECT_FALSE(trapped_inside);
    EXPECT_NE(enabled_after & FE_INVALID, 0);
    EXPECT_EQ(raised_after, 0);  // the package's flags do not leak into the caller
}

TEST(GuardedCall, RestoresTheEnvironmentAfterAFailureToo) {
    std::fesetround(FE_UPWARD);
    guarded_call([] {
        std::fesetround(FE_TOWARDZERO);
        throw ConversionError("x");
    });
    const int rounding_after = std::fegetround();
    std::fesetround(FE_TONEAREST);
    EXPECT_EQ(rounding_after, FE_UPWARD);
}
#endif

TEST(GuardedCall, CallsFromSeveralThreadsDoNotOverlap) {
    int inside = 0;
    int overlaps = 0;
    long total = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 2000; ++i) {
                guarded_call([&] {
                    if (++inside != 1) ++overlaps;
                    const long seen = total;
                    std::this_thread::yield();
                    total = seen + 1;
                    --inside;
                });
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(overlaps, 0);
    EXPECT_EQ(total, 8000);
}

}  // namespace
}  // namespace tov::package
