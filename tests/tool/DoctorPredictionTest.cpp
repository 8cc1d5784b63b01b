#include "ToolRunner.h"

namespace prefbook::test {
namespace {

// Doctor restates each store's load rules (acceptance, and which refused document is still kept) to
// explain them; whatever it predicts must be what the store then loads. Every store folder gets the
// store's distinct golden document as the older one (or none) and a damaged default document as the
// newer one; one doctor run and one overview run then cover every store.
TEST_F(StoreCommands, DoctorPredictsTheDocumentEveryStoreLoads) {
    const auto lastProfile = [](QByteArray doc, bool twice) {
        int at = doc.lastIndexOf("\n    <");
        while (doc.at(at + 6) == '/') at = doc.lastIndexOf("\n    <", at - 1);
        const int end = doc.indexOf("\n</", at);
        return twice ? doc.insert(end, doc.mid(at, end - at)) : doc.remove(at, end - at);
    };
    const std::pair<const char*, std::function<QByteArray(QByteArray)>> damages[] = {
        {"one profile fewer", [&](QByteArray d) { return lastProfile(d, false); }},
        {"one profile more", [&](QByteArray d) { return lastProfile(d, true); }},
        {"flag 0",
         [](QByteArray d) {
             const int at = d.indexOf(" flag=\"") + 7;
             return at < 7 ? d : d.replace(at, d.indexOf('"', at) - at, "0");
         }},
        {"cut short", [](QByteArray d) { return d.left(d.size() / 2); }}};
    QVector<QJsonObject> stores;
    for (const QJsonValue& v : Json({"overview"})["stores"].toArray()) {
        const QString model = v.toObject()["model"].toString().toLower();
        if (QFile::exists(PREFBOOK_TEST_DATA "/" + model + "/default.xml") && model != "vl550")
            stores << v.toObject();
    }
    ASSERT_GE(stores.size(), 17);
    for (const auto& [damage, damaged] : damages) {
        for (const bool withOlder : {true, false}) {
            SCOPED_TRACE(damage + std::string(withOlder ? ", older document" : ", alone"));
            QDir(Base() + "/profile").removeRecursively();
            for (const QJsonObject& s : stores) {
                const QString data = PREFBOOK_TEST_DATA "/" + s["model"].toString().toLower();
                const QString dir = s["profileDir"].toString();
                QDir().mkpath(dir);
                if (withOlder) WriteFile(dir + "2020-01-01 00-00-00.xml", ReadAll(data + "/distinct.xml"));
                if (withOlder) SetModified(dir + "2020-01-01 00-00-00.xml", kT0.addSecs(-60));
                WriteFile(dir + "2020-01-01 00-00-01.xml", damaged(ReadAll(data + "/default.xml")));
                SetModified(dir + "2020-01-01 00-00-01.xml", kT0);
            }
            QMap<QString, QString> predicted;
            for (const QJsonValue& f : ParseJson(RunHere({"--json", "doctor"}).out)["folders"].toArray())
                predicted[f.toObject()["model"].toString()] = f.toObject()["document"].toString();
            // Overview fails where a store fell back to its defaults; its table still says what loaded.
            for (const QJsonValue& v : ParseJson(RunHere({"--json", "overview"}).out)["stores"].toArray()) {
                const QString model = v.toObject()["model"].toString();
                if (predicted.contains(model))
                    EXPECT_EQ(predicted[model], v.toObject()["document"].toString()) << model.toStdString();
            }
        }
    }
}

}  // namespace
}  // namespace prefbook::test
