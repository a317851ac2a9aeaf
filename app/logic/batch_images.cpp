#include "batch_images.h"

#include "image_fit.h"

namespace qrapp {

namespace {

BatchRecipe PrintRecipe(BatchRecipe recipe, const ImageChoice &choice) {
  recipe.autoModule = choice.autoModule;
  recipe.quietZone = choice.quietZone;
  return recipe;
}

int CaptionBandOf(const BatchRecipe &recipe, const ImageChoice &choice) {
  if (choice.caption == CaptionChoice::kNone) return 0;
  return CaptionBandHeight(EngineImageSize(recipe.width, recipe.height).height);
}

BatchRecipe EngineSized(BatchRecipe recipe) {
  const ImageSize image = EngineImageSize(recipe.width, recipe.height);
  recipe.width = image.width;
  recipe.height = image.height;
  return recipe;
}

}  // namespace

BatchImages::BatchImages(const BatchRecipe &recipe, const ImageChoice &choice)
    : recipe_(EngineSized(PrintRecipe(recipe, choice))),
      captions_(choice.caption != CaptionChoice::kNone),
      captionBand_(CaptionBandOf(recipe, choice)),
      fixedModulePixels_(RecipeModulePixels(recipe_)),
      settings_(SymbolSettingsOf(recipe_)),
      writer_(recipe_, choice.format, fixedModulePixels_, choice.verify, captionBand_) {}

int BatchImages::NeededPixels(const qrtext::EncodedContent &content) {
  plan_ = PlanContent(content.bytes, content.eciDesignator, settings_);
  fit_ = FitPicture(plan_, recipe_, fixedModulePixels_, captionBand_);
  return fit_.neededPixels;
}

LineFault BatchImages::Write(const qrtext::EncodedContent &content, const std::string &caption,
                             const std::string &path, FileSystem &files, std::string &reason) {
  written_ = false;
  qrimage::ImageWriter::FileBytes bytes;
  if (!writer_.Make(content.bytes, plan_, path, bytes, reason, fit_.modulePixels,
                    captions_ ? &caption : nullptr)) {
    if (writer_.verifyFailed()) return LineFault::kVerifyFailed;
    if (writer_.captionTooLong()) return LineFault::kCaptionTooLong;
    return LineFault::kNotWritten;
  }
  std::string file(reinterpret_cast<const char *>(bytes.data[0]), bytes.size[0]);
  if (bytes.data[1] != nullptr)
    file.append(reinterpret_cast<const char *>(bytes.data[1]), bytes.size[1]);
  if (!files.WriteFile(path, file)) return LineFault::kNotWritten;
  written_ = true;
  return LineFault::kNone;
}

std::string BatchImages::LastBitmap() { return written_ ? writer_.PreviewBitmap() : std::string(); }

}  // namespace qrapp
