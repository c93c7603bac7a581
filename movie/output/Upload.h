#pragma once

namespace player {
class Clip;
}

namespace output {

// Fills the upload clip `Upload_mc`. `UploadPic(Bmp, aPhotoType)` turns the picture into
// pixel text and hands it to `UploadString(picData)`, which cuts it into pieces; the clip's
// per-frame handler then compresses one piece per frame (`NextItem`) with the
// status panel showing the progress, and in the frame after the last piece posts the
// compressed text with the title, the author and the photo type to `UploadTarget`, through
// one request object `my_lv` kept for every upload. A successful answer offers the composed
// picture at `UploadPath` + its file name as a download, and, when the movie came from a web
// server, opens the site's photos page.
//
// One upload at a time: while one is being compressed or its request is on its way, a new
// `UploadPic` or `UploadString` is refused (traced, false), since the shared request object
// would cancel the first answer. `isUploading` says whether one is under way.
void defineUpload(player::Clip& upload);

} // namespace output
