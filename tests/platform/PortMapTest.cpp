// Port numbers to device paths: the documented defaults and the operator's overrides.
#include "platform/PortMap.h"

#include <gtest/gtest.h>

using namespace tylog;

namespace {

// Sets an environment variable for one test.
class EnvVar {
public:
    EnvVar(const char* name, const QByteArray& value) : name_(name) { qputenv(name, value); }
    ~EnvVar() { qunsetenv(name_); }

private:
    const char* name_;
};

TEST(PortMap, DefaultsAreTheFirstDevicesOfEachKind) {
    EnvironmentPortMap map;
    EXPECT_EQ(map.SerialPath(1), "/dev/ttyS0");
    EXPECT_EQ(map.SerialPath(10), "/dev/ttyS9");
    EXPECT_EQ(map.ParallelPath(1), "/dev/parport0");
    EXPECT_EQ(map.ParallelPath(2), "/dev/parport1");
    for (int outside : {0, 11, -1}) {
        EXPECT_EQ(map.SerialPath(outside), QString()) << outside;
        EXPECT_EQ(map.ParallelPath(outside), QString()) << outside;
    }
}

TEST(PortMap, EachPortCanBeMovedByTheEnvironment) {
    EnvVar com3("TYLOG_COM3", "/dev/ttyUSB0");
    EnvVar com10("TYLOG_COM10", "/dev/pts/7");
    EnvVar com4("TYLOG_COM4", ""); // set but empty: the default stands
    EnvVar lpt1("TYLOG_LPT1", "/dev/parport2");
    EnvironmentPortMap map;
    EXPECT_EQ(map.SerialPath(3), "/dev/ttyUSB0");
    EXPECT_EQ(map.SerialPath(10), "/dev/pts/7");
    EXPECT_EQ(map.SerialPath(1), "/dev/ttyS0");
    EXPECT_EQ(map.SerialPath(4), "/dev/ttyS3");
    EXPECT_EQ(map.ParallelPath(1), "/dev/parport2");
    EXPECT_EQ(map.ParallelPath(2), "/dev/parport1");
}

} // namespace
