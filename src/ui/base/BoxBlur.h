#pragma once

class QImage;

namespace vornela {

// Blurs a premultiplied ARGB image in place with three box passes each way, which comes close to
// a Gaussian of deviation `sigma` (in the image's pixels). Edges count as transparent.
void gaussianBlur(QImage& image, double sigma);

} // namespace vornela
