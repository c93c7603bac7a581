#pragma once

#include <QString>

namespace player {
class Clip;
}

namespace capture {

// What the view says when no camera can be used; the lines, their leading spaces and the
// line holding one space are part of the message.
inline const QString kNoCameraMessage =
    QStringLiteral("没有找到摄像设备，无法拍摄！\n  请先用 [合成] 模式！\n \n"
                   "点上面的[合成]按钮进入合成模式！");
inline const QString kCameraBusyMessage =
    QStringLiteral("摄像头设备被占用，无法拍摄！\n 请先用 [合成] 模式！\n \n"
                   "点上面的[合成]按钮进入合成模式！");
inline const QString kDetectingMessage = QStringLiteral("正在检测摄像设备...");

// Gives the view its two detection frames (frame 1 sets up, frame 2 detects and stops),
// `InitCam` and `_GetURL`, and starts on frame 1.
void startCameraDetection(player::Clip& view);

} // namespace capture
