#include "platform/pointer/XInputPointerSource.h"

#include "platform/screen/CoordinateSpace.h"

#include <QCoreApplication>
#include <QCursor>

#include <gtest/gtest.h>

namespace vornela {
namespace {

TEST(XInputPointerSource, OffX11ItStillAnswersWhereThePointerIsButReportsNoMotion) {
    XInputPointerSource source;
    int moves = 0;
    source.onPointerMoved = [&] { ++moves; };
    EXPECT_FALSE(source.hasGlobalMotion());
    EXPECT_EQ(source.location(), CoordinateSpace::current().toCore(QPointF(QCursor::pos())));
    QCoreApplication::processEvents();
    EXPECT_EQ(moves, 0);
}

} // namespace
} // namespace vornela
