#pragma once

#include <QMap>
#include <QStringList>
#include <climits>
#include <map>
#include <tuple>

#include "devices/mice/PR940ProfileCfgImpl.h"
#include "hostservices/IGlyphPress.h"
#include "profilecore/MacroModel.h"

namespace prefbook::test {

// Records every call in order; images live in memory by path, folders are "art/<id>/<name>".
class RecordingGlyphPress : public IGlyphPress {
public:
    bool ConvertImage(const QString&, const QString&) override { return false; }
    void SaveArtworkImage(const QVector<uint32_t>& pixels, QString filePath) override {
        calls << "save " + filePath;
        images[filePath] = pixels;
    }
    void LoadArtworkImage(QString filePath, QVector<uint32_t>& pixels) override {
        calls << "load " + filePath;
        pixels = images.value(filePath);
    }
    void ClearArtworkCache() override {}
    void GetArtworkFolder(int profileId, QString oledProfileName, QString& folder) override {
        calls << "folder " + QString::number(profileId) + " " + oledProfileName;
        folder = "art/" + QString::number(profileId) + "/" + oledProfileName;
    }

    QStringList calls;
    QMap<QString, QVector<uint32_t>> images;
};

// The store content of tests/data/pr940/distinct.xml: a distinct value in every field, so that a lost
// or swapped field shows. The first profile carries surfaces, display profiles and macros.
inline PR940Document DistinctPR940Document() {
    PR940Document doc;
    doc.exportPath = "C:/export dir";
    doc.openExePath = "D:/apps";
    for (int i = 0; i < 5; ++i) {
        PR940Profile p;
        p.id = 10 + i;
        p.name = "P" + std::to_string(i) + "\xC3\xBC";
        p.exe = "C:/g/g" + std::to_string(i) + ".exe";
        p.currView = 2 + i;
        p.tactix = 1;
        p.lightingMode = 20 + i;
        p.currCustom = 30 + i;
        p.currBeat = -(40 + i);
        for (int j = 0; j < 7; ++j) {
            p.customColors.push_back(
                {uint8_t(j % 2), uint8_t(10 * i + j), uint8_t(100 + j), uint8_t(200 + j), uint8_t(50 + i)});
        }
        p.currOledProfile = "op" + std::to_string(i);
        p.macroPath = "mp" + std::to_string(i);
        p.currMacro = "cm" + std::to_string(i);
        doc.profiles.push_back(p);
    }
    PR940Profile& p = doc.profiles[0];
    for (const auto& [name, l1, l2] :
         {std::tuple<const char*, int32_t, int32_t>{"Cloth", -1, 255},
          std::tuple<const char*, int32_t, int32_t>{"Glass", 0x1234abcd, INT_MIN}}) {
        SurfaceTuning s{};
        SetSurfaceName(s, name);
        s.learn1 = l1;
        s.learn2 = l2;
        p.surfaces[name] = s;
    }
    p.currOledProfile = "Show";
    OledProfile quiet;
    quiet.name = "Quiet";
    quiet.duration = 0.125;
    p.oledProfiles["Quiet"] = quiet;
    OledProfile show;
    show.name = "Show";
    show.currArtworkName = "Logo";
    show.order = {2, -1, 0};
    show.duration = 1.5;
    show.artworks["Logo"] = {"Logo", 0, 1, {1, 2, 3}};
    show.artworks["Wave"] = {"Wave", 7, 9, {0xdeadbeef}};
    p.oledProfiles["Show"] = show;
    p.macroPath = "M:/macros";
    p.currMacro = "Jump";
    MouseMacroRecord jump{};
    SetRecordName(jump, "Jump");
    jump.mode = 2;
    jump.actionCount = 2;
    jump.actions[0] = {65, 1, 10};
    jump.actions[1] = {66, 0, 65535};
    p.macros["Jump"] = jump;
    MouseMacroRecord run{};
    SetRecordName(run, "Run");
    run.mode = 5;
    p.macros["Run"] = run;
    return doc;
}

}  // namespace prefbook::test
