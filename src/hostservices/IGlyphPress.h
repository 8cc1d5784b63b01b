#pragma once

#include <QString>
#include <QVector>
#include <cstdint>

#include "hostservices/HostExport.h"

// Converts the display mouse's artworks between pixel words and image files. The operations the
// library does not call keep their places so that the slots of the others stay fixed.
class PREFBOOK_HOST_EXPORT IGlyphPress {
public:
    static IGlyphPress& Instance();
    static void Install(IGlyphPress* press);

    virtual bool ConvertImage(const QString& source, const QString& target) = 0;
    virtual void SaveArtworkImage(const QVector<uint32_t>& pixels, QString filePath) = 0;
    virtual void LoadArtworkImage(QString filePath, QVector<uint32_t>& pixels) = 0;
    virtual void ClearArtworkCache() = 0;
    virtual void GetArtworkFolder(int profileId, QString oledProfileName, QString& folder) = 0;

protected:
    IGlyphPress() = default;
    ~IGlyphPress() = default;
};
