# The parts of OpenCV Ankerblick needs, from Debian's per-module packages
# (libopencv-core-dev and so on): Debian keeps OpenCV's own CMake files in
# libopencv-dev, which pulls in every module, so the parts are found one by
# one and offered as imported targets:
#   OpenCV::Camera   what the program links: the pictures' arithmetic and
#                    the face's mapping (core, imgproc, calib3d);
#   OpenCV::VideoIO  the video capture, linked only by the module that is
#                    loaded when a camera or a video is first opened;
#   OpenCV::Codecs   writing pictures, for the tests and benchmarks (the
#                    program reads pictures through Qt).
find_path(OPENCV_INCLUDE_DIR opencv2/core.hpp PATH_SUFFIXES opencv4 REQUIRED)
foreach(part core imgproc imgcodecs videoio calib3d)
  find_library(OPENCV_${part}_LIBRARY opencv_${part} REQUIRED)
endforeach()
add_library(OpenCV::Camera INTERFACE IMPORTED GLOBAL)
target_include_directories(OpenCV::Camera SYSTEM INTERFACE ${OPENCV_INCLUDE_DIR})
target_link_libraries(OpenCV::Camera INTERFACE ${OPENCV_core_LIBRARY} ${OPENCV_imgproc_LIBRARY}
                      ${OPENCV_calib3d_LIBRARY})
add_library(OpenCV::VideoIO INTERFACE IMPORTED GLOBAL)
target_link_libraries(OpenCV::VideoIO INTERFACE OpenCV::Camera ${OPENCV_videoio_LIBRARY})
add_library(OpenCV::Codecs INTERFACE IMPORTED GLOBAL)
target_link_libraries(OpenCV::Codecs INTERFACE OpenCV::Camera ${OPENCV_imgcodecs_LIBRARY})
