# Sources of this area, appended to TERVO_BOOKS_SOURCES (logic) and TERVO_BOOKS_UI_SOURCES (windows).
