#include "win32/Pictures.h"

#include <wincodec.h>

#include <algorithm>
#include <utility>

#include "exercises/ExerciseFile.h"
#include "win32/SystemLibrary.h"
#include "win32/Text.h"

namespace rp::win32 {
namespace {

// Named here rather than taken from uuid.lib, which the program does not link.
constexpr CLSID kImagingFactory{0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
constexpr GUID kPremultipliedBgra{0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x10}};

// One reference to a COM object, released with its owner.
template <class Interface>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (object_) object_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  Interface** Put() { return &object_; }
  Interface* operator->() const { return object_; }
  Interface* Get() const { return object_; }

 private:
  Interface* object_ = nullptr;
};

using Result = PictureRead::Result;

}  // namespace

PictureRead DecodePicture(ComApartment& com, std::string_view path, int fitSide) {
  PictureRead read;
  const std::wstring wide = Widen(path);
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data) || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return read;
  const std::uint64_t bytes = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  // Too large a file is not decoded at all; too large a picture only its header.
  read.result = Result::TooLarge;
  if (bytes > kMaxPictureBytes) return read;
  read.result = Result::Damaged;
  ComRef<IWICImagingFactory> factory;
  ComRef<IWICBitmapDecoder> decoder;
  ComRef<IWICBitmapFrameDecode> frame;
  UINT width = 0, height = 0;
  if (!com.Start() ||
      FAILED(com.CreateInstance(kImagingFactory, __uuidof(IWICImagingFactory), reinterpret_cast<void**>(factory.Put()))) ||
      FAILED(factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                decoder.Put())) ||
      FAILED(decoder->GetFrame(0, frame.Put())) || FAILED(frame->GetSize(&width, &height)))
    return read;
  if (!PictureFits(bytes, static_cast<int>(width), static_cast<int>(height))) {
    read.result = Result::TooLarge;
    return read;
  }
  // In premultiplied colours, so that transparent edges blend cleanly when scaled.
  const double scale = static_cast<double>(std::max(fitSide, 1)) / std::max(width, height);
  const UINT scaledWidth = std::max(1u, static_cast<UINT>(width * scale));
  const UINT scaledHeight = std::max(1u, static_cast<UINT>(height * scale));
  ComRef<IWICFormatConverter> converter;
  ComRef<IWICBitmapScaler> scaler;
  std::vector<std::uint32_t> pixels(std::size_t{scaledWidth} * scaledHeight);
  if (FAILED(factory->CreateFormatConverter(converter.Put())) ||
      FAILED(converter->Initialize(frame.Get(), kPremultipliedBgra, WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom)) ||
      FAILED(factory->CreateBitmapScaler(scaler.Put())) ||
      FAILED(scaler->Initialize(converter.Get(), scaledWidth, scaledHeight, WICBitmapInterpolationModeFant)) ||
      FAILED(scaler->CopyPixels(nullptr, scaledWidth * 4, static_cast<UINT>(pixels.size() * 4),
                                reinterpret_cast<BYTE*>(pixels.data()))))
    return read;
  read = {Result::Shown, static_cast<int>(scaledWidth), static_cast<int>(scaledHeight), std::move(pixels)};
  return read;
}

void PaintPicture(HDC dc, ComApartment& com, PictureCache& cache, std::string_view path, RECT rect, COLORREF back) {
  const int side = std::min(rect.right - rect.left, rect.bottom - rect.top);
  if (side <= 0) return;
  if (cache.path != path || cache.side != side || cache.back != back) {
    cache = {std::string(path), side, back, DecodePicture(com, path, side)};
    // Over the control's background once, so that each paint is one copy.
    const std::uint32_t r = GetRValue(back), g = GetGValue(back), b = GetBValue(back);
    for (std::uint32_t& pixel : cache.read.pixels) {
      const std::uint32_t clear = 255 - (pixel >> 24);
      pixel = ((pixel >> 16 & 0xFF) + r * clear / 255) << 16 | ((pixel >> 8 & 0xFF) + g * clear / 255) << 8 |
              ((pixel & 0xFF) + b * clear / 255);
    }
  }
  const PictureRead& picture = cache.read;
  if (picture.result != PictureRead::Result::Shown) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const int left = rect.left + (rect.right - rect.left - picture.width) / 2;
  const int top = rect.top + (rect.bottom - rect.top - picture.height) / 2;
  SetDIBitsToDevice(dc, left, top, static_cast<DWORD>(picture.width), static_cast<DWORD>(picture.height), 0, 0, 0,
                    static_cast<UINT>(picture.height), picture.pixels.data(), &info, DIB_RGB_COLORS);
}

}  // namespace rp::win32
