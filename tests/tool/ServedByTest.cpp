#include <QJsonArray>

#include "ToolRunner.h"

namespace prefbook::test {
namespace {

using ServedBy = Tool;

// The tool shows the stores Prefbook forwards to, and reaches them by device type.
TEST_F(ServedBy, DevicesNameTheServingStoreAndShowTakesATypeNumber) {
    const QJsonArray types = Json({"devices"})["types"].toArray();
    EXPECT_EQ(types[2].toObject()["servedBy"], "TL480");
    EXPECT_EQ(types[11].toObject()["servedBy"], "-");

    EXPECT_EQ(Json({"show", "4"})["model"], "TL460");
    for (const char* type : {"11", "25"}) {
        const Result unserved = RunHere({"show", type});
        EXPECT_EQ(unserved.exitCode, 2) << type;
        EXPECT_TRUE(unserved.err.contains("served by no store")) << unserved.err.toStdString();
    }
}

}  // namespace
}  // namespace prefbook::test
