#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

#include "devices/mice/PR26xProfileCfgImpl.h"
#include "devices/mice/PR941ProfileCfgImpl.h"
#include "support/TestHost.h"

namespace prefbook::test {

// A temporary habitat for one of the button mouse stores, with the model's names and fixture documents.
template <class Store>
class PR26xTest : public ::testing::Test {
protected:
    static constexpr bool kLit = std::is_same_v<Store, PR261ProfileCfgImpl>;
    TestHost t;
    PR26xModel model = std::is_same_v<Store, PR941ProfileCfgImpl> ? PR941Model()
                       : kLit                                     ? PR261Model()
                                                                  : PR260Model();
    QString dir = t.habitat.ProfileDir(model.deviceType);
    QByteArray root = QByteArray(model.root.data());

    std::unique_ptr<Store> Fresh() { return std::make_unique<Store>(t.Host()); }
    QByteArray Golden(const char* name) {
        return ReadAll(QStringLiteral(PREFBOOK_TEST_DATA "/") + QString(model.root).toLower() + "/" + name +
                       ".xml");
    }
    // The store's whole state as the writer sees it, for comparing before and after.
    QByteArray State(Store& s) {
        const QString path = t.habitat.GetTempDir() + "/state.xml";
        s.ExportAllProfiles(path);
        return ReadAll(path) + QByteArray::number(s.GetCurrentProfileID());
    }
    // A document of the model with the given flag, profiles and profile body.
    QByteArray Doc(uint16_t flag, int profiles, const QByteArray& body = {}) {
        QByteArray xml = "<" + root + " flag=\"" + QByteArray::number(flag) + "\" currentProfileID=\"1\">";
        for (int i = 0; i < profiles; ++i)
            xml += "<profile id=\"" + QByteArray::number(i) + "\" name=\"P" + QByteArray::number(i) + "\">" +
                   body + "</profile>";
        return xml + "</" + root + ">";
    }
    QString Put(const QString& name, const QByteArray& xml) {
        const QString path = t.habitat.GetTempDir() + "/" + name;
        WriteFile(path, xml);
        return path;
    }
};

using PR26xStores = ::testing::Types<PR260ProfileCfgImpl, PR261ProfileCfgImpl>;

}  // namespace prefbook::test
