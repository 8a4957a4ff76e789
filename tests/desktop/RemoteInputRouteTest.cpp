#include "platform/linux/RemoteInputRoute.h"

#include <gtest/gtest.h>

using namespace wigglet::desktop;
using Route = RemoteInputRoute;

// The default asks the user least: GNOME's own interface outside a sandbox, else the portal;
// a route asked for but missing gives way to the other.
TEST(RemoteInputRouteTest, TakesTheRouteThatAsksLeastUnlessAnotherIsChosen) {
    const struct {
        Route wanted;
        bool sandboxed, portal, mutter;
        std::optional<Route> taken;
    } rows[] = {
        {Route::automatic, false, true, true, Route::mutter},
        {Route::automatic, true, true, true, Route::portal},
        {Route::automatic, false, true, false, Route::portal},
        {Route::portal, false, true, true, Route::portal},
        {Route::portal, false, false, true, Route::mutter},
        {Route::mutter, true, true, true, Route::portal},
        {Route::mutter, false, false, false, std::nullopt},
    };
    for (const auto& row : rows) {
        int asked = 0;
        const auto taken = resolveRemoteInputRoute(
            row.wanted, row.sandboxed,
            [&] {
                ++asked;
                return row.portal;
            },
            row.mutter);
        EXPECT_EQ(taken, row.taken) << nameOf(row.wanted) << " " << row.sandboxed;
        if (taken == Route::mutter && row.wanted != Route::portal) {
            EXPECT_EQ(asked, 0) << "the portal was started for nothing";
        }
    }
    EXPECT_EQ(remoteInputRouteNamed("portal"), Route::portal);
    EXPECT_EQ(remoteInputRouteNamed("mutter"), Route::mutter);
    EXPECT_EQ(remoteInputRouteNamed("Mutter!"), Route::automatic);
}
