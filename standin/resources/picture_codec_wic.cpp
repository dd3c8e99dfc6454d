// TIFF pictures through the Windows Imaging Component, the system's own codecs.
// clang-format off
#include <windows.h>
#include <wincodec.h>
// clang-format on

#include <climits>
#include <system_error>
#include <vector>

#include "base/regular_input.h"
#include "resources/picture_codec.h"
#include "ui/filename.h"

namespace standin {

namespace {

// Owns one COM interface pointer and releases it.
template <typename Interface>
class Com {
 public:
  Com() = default;
  ~Com() {
    if (pointer_ != nullptr) pointer_->Release();
  }
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;

  Interface** Put() { return &pointer_; }
  Interface* operator->() const { return pointer_; }
  Interface* get() const { return pointer_; }

 private:
  Interface* pointer_ = nullptr;
};

std::string Reason(const std::string& what, HRESULT result) {
  return what + " (" + std::system_category().message(result) + ")";
}

// The imaging factory, with COM started for this thread first (a thread
// that started COM already in another mode keeps it).
HRESULT MakeFactory(Com<IWICImagingFactory>& factory) {
  const HRESULT started = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (FAILED(started) && started != RPC_E_CHANGED_MODE) return started;
  return CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                          reinterpret_cast<void**>(factory.Put()));
}

}  // namespace

bool ReadPicture(const std::filesystem::path& path, Picture& out, std::string& error) {
  // The imaging component opens whatever it is given, a device or a pipe too.
  std::string reason;
  if (!OpenRegularInput(path, kPictureInput, reason)) {
    error = Utf8Path(path) + ": " + reason;
    return false;
  }
  Com<IWICImagingFactory> factory;
  HRESULT result = MakeFactory(factory);
  if (FAILED(result)) {
    error = Reason("cannot start the imaging component to read " + Utf8Path(path), result);
    return false;
  }
  Com<IWICBitmapDecoder> decoder;
  result = factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                              WICDecodeMetadataCacheOnDemand, decoder.Put());
  if (FAILED(result)) {
    error = Reason("cannot open " + Utf8Path(path) + " as a TIFF picture", result);
    return false;
  }
  Com<IWICBitmapFrameDecode> frame;
  UINT width = 0;
  UINT height = 0;
  result = decoder->GetFrame(0, frame.Put());
  if (SUCCEEDED(result)) result = frame->GetSize(&width, &height);
  if (FAILED(result) || width == 0 || height == 0) {
    error = Reason(Utf8Path(path) + " has no picture size", result);
    return false;
  }
  if (width > kMaxPictureSide || height > kMaxPictureSide ||
      int64_t{width} * int64_t{height} > kMaxPicturePixels) {
    error = Utf8Path(path) + " is too large (" + std::to_string(width) + " x " + std::to_string(height) + ")";
    return false;
  }
  // Premultiplied BGRA: partly transparent pixels come back with their
  // colour multiplied by their alpha, as the interface promises.
  Com<IWICFormatConverter> converter;
  result = factory->CreateFormatConverter(converter.Put());
  if (SUCCEEDED(result)) {
    result = converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                   nullptr, 0.0, WICBitmapPaletteTypeCustom);
  }
  const UINT stride = width * 4;
  std::vector<BYTE> pixels(std::size_t{stride} * height);
  if (SUCCEEDED(result))
    result = converter->CopyPixels(nullptr, stride, static_cast<UINT>(pixels.size()), pixels.data());
  if (FAILED(result)) {
    error = Reason("cannot decode " + Utf8Path(path), result);
    return false;
  }
  Picture picture(static_cast<int32_t>(width), static_cast<int32_t>(height));
  for (UINT y = 0; y < height; ++y) {
    for (UINT x = 0; x < width; ++x) {
      const BYTE* at = &pixels[std::size_t{y} * stride + std::size_t{x} * 4];
      picture.at(static_cast<int32_t>(x), static_cast<int32_t>(y)) = {at[2], at[1], at[0], at[3]};
    }
  }
  out = std::move(picture);
  return true;
}

namespace {

// The whole content of a memory stream.
HRESULT StreamBytes(IStream* stream, std::string& bytes) {
  ULARGE_INTEGER size{};
  LARGE_INTEGER start{};
  HRESULT result = stream->Seek(start, STREAM_SEEK_END, &size);
  if (SUCCEEDED(result) && size.QuadPart > ULONG_MAX) result = E_OUTOFMEMORY;
  if (SUCCEEDED(result)) result = stream->Seek(start, STREAM_SEEK_SET, nullptr);
  if (FAILED(result)) return result;
  bytes.resize(static_cast<std::size_t>(size.QuadPart));
  ULONG read = 0;
  result = stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
  if (SUCCEEDED(result) && read != bytes.size()) result = E_FAIL;
  return result;
}

}  // namespace

bool EncodePicture(const Picture& picture, std::string& bytes, std::string& error) {
  bytes.clear();
  if (picture.empty()) {
    error = "there is no picture to encode";
    return false;
  }
  const auto width = static_cast<UINT>(picture.width());
  const auto height = static_cast<UINT>(picture.height());
  const UINT stride = width * 4;
  std::vector<BYTE> pixels(std::size_t{stride} * height);
  for (UINT y = 0; y < height; ++y) {
    for (UINT x = 0; x < width; ++x) {
      const Rgba& p = picture.at(static_cast<int32_t>(x), static_cast<int32_t>(y));
      BYTE* at = &pixels[std::size_t{y} * stride + std::size_t{x} * 4];
      at[0] = p.b;
      at[1] = p.g;
      at[2] = p.r;
      at[3] = p.a;
    }
  }
  Com<IWICImagingFactory> factory;
  Com<IStream> stream;
  Com<IWICBitmapEncoder> encoder;
  Com<IWICBitmapFrameEncode> frame;
  Com<IPropertyBag2> options;
  HRESULT result = MakeFactory(factory);
  if (SUCCEEDED(result)) result = CreateStreamOnHGlobal(nullptr, TRUE, stream.Put());
  if (SUCCEEDED(result)) result = factory->CreateEncoder(GUID_ContainerFormatTiff, nullptr, encoder.Put());
  if (SUCCEEDED(result)) result = encoder->Initialize(stream.get(), WICBitmapEncoderNoCache);
  if (SUCCEEDED(result)) result = encoder->CreateNewFrame(frame.Put(), options.Put());
  if (SUCCEEDED(result)) {
    // Uncompressed, as every reader of the plug-in's pictures expects.
    PROPBAG2 option{};
    option.pstrName = const_cast<LPOLESTR>(L"TiffCompressionMethod");
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_UI1;
    value.bVal = WICTiffCompressionNone;
    result = options->Write(1, &option, &value);
  }
  if (SUCCEEDED(result)) result = frame->Initialize(options.get());
  if (SUCCEEDED(result)) result = frame->SetSize(width, height);
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  if (SUCCEEDED(result)) result = frame->SetPixelFormat(&format);
  if (SUCCEEDED(result) && format != GUID_WICPixelFormat32bppBGRA)
    result = WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
  if (SUCCEEDED(result))
    result = frame->WritePixels(height, stride, static_cast<UINT>(pixels.size()), pixels.data());
  if (SUCCEEDED(result)) result = frame->Commit();
  if (SUCCEEDED(result)) result = encoder->Commit();
  if (SUCCEEDED(result)) result = StreamBytes(stream.get(), bytes);
  if (FAILED(result)) {
    bytes.clear();
    error = Reason("cannot encode the picture as TIFF", result);
    return false;
  }
  return true;
}

}  // namespace standin
