# What a release holds: the shipped Windows binaries carry the version.
if(WIN32)
  qr_add_version_info(QRBatchGenerator "批量二维码生成器")
  qr_add_version_info(qrbatch "批量二维码生成器（命令行）")
  qr_add_version_info(QRCodeWin32 "二维码符号引擎")
endif()
