#include "images/image_saving.h"

#include "images/jpeg_codec.h"
#include "images/picture_file_writer.h"
#include "images/resample_nearest.h"
#include "images/thumbnail_store.h"

SaveResult SaveImage(CThumbNail& list, const std::string& path, const CDibImage& image,
                     int saveType, const OverlayBurnIn& burnIn) {
    if (saveType != 1 && JpegQualityForSaveType(saveType) == 0)
        return SaveResult::UnknownType;
    if (image.isNull())
        return SaveResult::NoPicture;
    CDibImage copy;
    if (!copy.create(image.width(), image.height(), 24))
        return SaveResult::NoPicture;
    const IntRect whole{0, 0, image.width(), image.height()};
    const int copied =
        image.bitCount() == 24 ? copy.blitFrom(image) : ResampleNearest(image, whole, copy, whole);
    if (!copied)
        return SaveResult::NoPicture;
    if (burnIn)
        burnIn(copy);
    if (!WritePictureFile(path, copy, saveType))
        return SaveResult::WriteFailed;
    list.RemoveByPath(path);
    list.AddThumbnail(path, copy);
    list.Renumber();
    return SaveResult::Written;
}
