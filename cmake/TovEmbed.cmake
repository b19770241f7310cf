# tov_embed_text(TARGET FILE NAMESPACE FUNCTION)
# Compiles the bytes of FILE (relative to the project) into TARGET as
#     namespace NAMESPACE { std::string_view FUNCTION(); }
# so the library carries the file instead of reading it where the sources were. The definition
# is written at build time by cmake/EmbedText.cmake and written again whenever FILE changes; the
# declaration is the caller's own header.
function(tov_embed_text target file namespace function)
    set(input ${PROJECT_SOURCE_DIR}/${file})
    set(output ${PROJECT_BINARY_DIR}/embedded/${function}.cpp)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSOURCE_NAME=${file}
            -DNAMESPACE=${namespace} -DFUNCTION=${function}
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedText.cmake
        DEPENDS ${input} ${PROJECT_SOURCE_DIR}/cmake/EmbedText.cmake
        COMMENT "Embedding ${file}"
        VERBATIM)
    target_sources(${target} PRIVATE ${output})
endfunction()
