#pragma once

#include <QString>
#include <QVector>
#include <cstdint>

#include "PrefbookExport.h"
#include "devices/textlight/VL550Records.h"

// The VL550 text-lighting device (device type 22): one profile kept in one named XML document.
class PREFBOOK_EXPORT IVL550ProfileCfg {
public:
    static IVL550ProfileCfg& Instance();

    virtual void SetChangeFlag(uint8_t flag) = 0;
    virtual bool IsChanged() = 0;
    virtual uint8_t GetChangeFlag() = 0;
    virtual void ClearChangeFlag() = 0;
    virtual bool IsDefaultDocument() = 0;
    virtual void SetCurrMode(uint8_t mode) = 0;
    virtual uint8_t GetCurrMode() = 0;
    // Makes the setting's id the current mode and replaces entry index; an index past the list
    // changes nothing.
    virtual void SetModeSettingAt(uint8_t index, const VLModeSetting& setting) = 0;
    // Throws std::out_of_range for an index past the list.
    virtual bool GetModeSettingAt(uint8_t index, VLModeSetting& setting) = 0;
    // Replaces the entry named by the setting's id (std::out_of_range past the list), makes it the
    // current mode and sets the change flag.
    virtual void SetModeSetting(const VLModeSetting& setting) = 0;
    // The setting of the current mode; throws std::out_of_range when the mode is past the list.
    virtual bool GetCurrentModeSetting(VLModeSetting& setting) = 0;
    // kVL550CustomBlockSize bytes: 21 colours of r, g, b. Setting the block selects mode 7.
    virtual void SetCustomBlock(const uint8_t* block) = 0;
    virtual bool GetCustomBlock(uint8_t* block) = 0;
    // The first argument is not used; it keeps the call shape of the suite's other colour stores.
    virtual void SetCustomColors(int unused, const QVector<CustomColor>& colors) = 0;
    virtual bool GetCustomColors(int unused, QVector<CustomColor>& colors) = 0;
    // Does nothing; keeps the operations after it in their places.
    virtual void Reserved() = 0;
    // kVL550TextSize bytes: text mode, period. Setting the text sets the change flag.
    virtual void SetText(const uint8_t* text) = 0;
    virtual bool GetText(uint8_t* text) = 0;
    // Reads the document at path (the default document for an empty path) into the profile and makes
    // it the current document; true whatever the read gave.
    virtual bool LoadDocument(const QString& path) = 0;
    virtual bool SaveDocumentAs(const QString& path) = 0;
    // Rewrites the current document, only if it still reads; true without writing when there is none.
    virtual bool SaveDocument() = 0;

protected:
    IVL550ProfileCfg() = default;
    ~IVL550ProfileCfg() = default;
};
