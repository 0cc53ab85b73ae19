/* Resource ids shared by VelToriSetup.rc and the program. Plain defines, so
   that the resource compiler reads this file as well as the C++ compiler. */
#ifndef VELTORI_RESOURCE_IDS_H
#define VELTORI_RESOURCE_IDS_H

/* The application icon: the lowest icon id, so the shell shows it for the file. */
#define VLT_ICON_APP 1

/* Pictures of the pages: whole bitmap files, each one zlib stream (made by
   picture-pack at build time), as resources of the type ZBITMAP. */
#define VLT_BMP_SIDE_BANNER 101    /* 111 x 199, 24-bit */
#define VLT_BMP_FLAG_GERMANY 102   /* 60 x 30, 24-bit */
#define VLT_BMP_FLAG_UK 103        /* 60 x 30, 24-bit */
#define VLT_BMP_BROWSE_GLYPH 104   /* 32 x 16, 16 colours: normal and disabled 16 x 16 */

#ifndef RC_INVOKED
#define VLT_PACKED_BITMAP_TYPE_W L"ZBITMAP"
#endif

/* The browse glyph's background colour (magenta), drawn transparent. */
#define VLT_GLYPH_TRANSPARENT_RGB 0xFF00FF

#endif
