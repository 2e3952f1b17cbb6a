// The wait engine as the driver meets it: trigger keys, the queue's pace, the wait's ticks, and
// events nested in sends.
#include <string>

#include "tests/app/ProgramFixture.h"

class QueueTest : public ProgramFixture {
  protected:
    QueueTest() { Start(); }
};

TEST_F(QueueTest, PitInKeyLogsAndTypesEnterMessageEnterFromTheNextTick) {
    Type("x");
    EXPECT_EQ(Events(), Strings{"Got key x"});
    EXPECT_TRUE(Sent().empty());
    Tick();
    EXPECT_EQ(Sent(), Strings{"\rPit In\r"});
}
